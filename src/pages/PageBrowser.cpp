#include "pages/PageBrowser.h"

#include "pages/HtmlNesting.h"
#include "pages/PageStyle.h"
#include "pages/ReadingTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

const QString PageBrowser::kBlank = QStringLiteral("about:blank");

namespace {

bool ReadableFile(const QString& path)
{
    return PageBrowser::ReadLocalFile(path).has_value();
}

} // namespace

std::optional<QByteArray> PageBrowser::ReadLocalFile(const QString& path)
{
    // The file the path leads to, links followed: a picture named
    // /proc/self/pagemap is a "regular file" of size 0 that reads on without
    // end, and a device may never end either.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const char* system : {"/proc", "/sys", "/dev"})
        if (canonical == QLatin1String(system) || canonical.startsWith(QLatin1String(system) + u'/'))
            return std::nullopt;
    if (canonical.isEmpty() || !QFileInfo(canonical).isFile())
        return std::nullopt;
    QFile file(canonical);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The limit bounds the read itself, whatever the file's stated size.
    QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return bytes;
}

QString PageBrowser::BoundedPage(const QString& html)
{
    if (html.size() <= kMaxPageChars)
        return html;
    // Cut before a tag, so that no tag is cut in two; the note says so.
    qsizetype cut = html.lastIndexOf(u'<', kMaxPageChars);
    if (cut < kMaxPageChars / 2)
        cut = kMaxPageChars;
    return html.left(cut)
        + QStringLiteral("<p><i>[Το κείμενο είναι πολύ μεγάλο για να εμφανιστεί ολόκληρο· η σελίδα σταματά εδώ.]</i></p>");
}

PageBrowser::PageBrowser(const QString& name, QWidget* parent)
    : QTextBrowser(parent), m_location(kBlank)
{
    setObjectName(name);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    // Each new page starts empty: a scroll bar that came and went with it
    // would have every long page laid out twice, at two widths.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QTextBrowser::anchorClicked, this, &PageBrowser::linkClicked);
    m_tools = new ReadingTools(this, QStringLiteral("page"), [this](int bottom) { setViewportMargins(0, 0, 0, bottom); });
}

QString PageBrowser::AddressOf(const QUrl& link) const
{
    const QString text = link.toString();
    if (text.startsWith(u'#'))
        return m_location + text;
    if (link.isRelative() && m_location != kBlank)
        return QUrl::fromLocalFile(m_location).resolved(link).toString();
    return text;
}

void PageBrowser::linkClicked(const QUrl& link)
{
    const QString address = AddressOf(link);
    bool cancel = false;
    emit BeforeNavigate2(address, cancel);
    if (cancel)
        return;
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
        if (m_externalOpener)
            m_externalOpener(url);
        return;
    }
    if (scheme == QLatin1String("about")) {
        Navigate(address);
        return;
    }
    QString path = url.isLocalFile() ? url.toLocalFile() : address;
    QString fragment = url.fragment();
    if (!url.isLocalFile()) {
        if (const qsizetype hash = path.indexOf(u'#'); hash >= 0) {
            fragment = path.mid(hash + 1);
            path.truncate(hash);
        }
    }
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty() || !ReadableFile(canonical))
        return;
    if (m_location != kBlank && canonical == QFileInfo(m_location).canonicalFilePath()) {
        if (!fragment.isEmpty())
            scrollToAnchor(fragment);
        return;
    }
    for (const QString& folder : std::as_const(m_pageFolders)) {
        const QString root = QFileInfo(folder).canonicalFilePath();
        if (!root.isEmpty() && canonical.startsWith(root + u'/')) {
            Navigate(canonical);
            if (!fragment.isEmpty())
                scrollToAnchor(fragment);
            return;
        }
    }
}

void PageBrowser::setLinkPolicy(QStringList pageFolders, std::function<void(const QUrl&)> externalOpener)
{
    m_pageFolders = std::move(pageFolders);
    m_externalOpener = std::move(externalOpener);
}

void PageBrowser::Navigate(const QString& url)
{
    m_styled = false;
    const bool wasPending = std::exchange(m_renderPending, false);
    if (url.isEmpty() || url.startsWith(QStringLiteral("about:"))) {
        // Every search blanks the pages beside its tree; clearing a page
        // that is blank already costs a search a millisecond a page.
        const bool blankAlready = m_location == kBlank && m_body.isEmpty() && !wasPending && document()->isEmpty()
                                  && document()->defaultStyleSheet().isEmpty();
        m_location = kBlank;
        m_body.clear();
        if (!blankAlready) {
            document()->setDefaultStyleSheet(QString());
            clear();
        }
        m_tools->contentChanged();
    } else {
        QUrl parsed(url);
        QString path = parsed.isLocalFile() ? parsed.toLocalFile() : url;
        if (path.startsWith(QStringLiteral("file:")))
            path = path.mid(5);
        m_location = path;
        m_body.clear();
        if (const std::optional<QByteArray> bytes = ReadLocalFile(path)) {
            setSearchPaths(QStringList{QFileInfo(path).absolutePath()} + m_pictureFolders);
            m_documentHtml = LimitNesting(QString::fromUtf8(*bytes));
        } else {
            m_documentHtml = QStringLiteral("<p>Η σελίδα δεν βρέθηκε: ") + url.toHtmlEscaped() + QStringLiteral("</p>");
        }
        document()->setDefaultStyleSheet(QString());
        setHtml(m_documentHtml);
        m_tools->contentChanged();
    }
    emit NavigateComplete2(m_location);
    emit DocumentComplete(m_location);
}

void PageBrowser::SetBodyHtml(const QString& html)
{
    m_body = html;
    m_styled = false;
    if (!m_renderPending) {
        m_renderPending = true;
        QMetaObject::invokeMethod(this, &PageBrowser::Flush, Qt::QueuedConnection);
    }
}

void PageBrowser::Flush()
{
    if (m_renderPending)
        render();
}

void PageBrowser::ApplyPageStyle()
{
    m_styled = true;
    if (m_location == kBlank) {
        render();
    } else {
        // A document of its own (a help page, an attached html file).
        document()->setDefaultStyleSheet(PageStyleSheet());
        setHtml(m_documentHtml);
        ApplyHeadingSizes(*document());
        m_tools->contentChanged();
    }
}

void PageBrowser::render()
{
    m_renderPending = false;
    document()->setDefaultStyleSheet(m_styled ? PageStyleSheet() : QString());
    {
        // One edit block round the text and its heading sizes: the page is
        // laid out once, not once for the text and again for its headings.
        QTextCursor batch(document());
        batch.beginEditBlock();
        setHtml(LimitNesting(BoundedPage(m_body)));
        if (m_styled)
            ApplyHeadingSizes(*document());
        batch.endEditBlock();
    }
    m_tools->contentChanged();
}

QVariant PageBrowser::loadResource(int type, const QUrl& name)
{
    // An empty answer, not a null one: on a null answer the document reads
    // the file itself.
    const QVariant refused = QVariant::fromValue(QByteArray());
    if (name.scheme() == QLatin1String("data"))
        return QTextBrowser::loadResource(type, name);
    if (!name.scheme().isEmpty() && !name.isLocalFile() && name.scheme().size() > 1)
        return refused;
    const QString path = name.isLocalFile() ? name.toLocalFile() : name.toString(QUrl::PreferLocalFile);
    QStringList candidates;
    if (QFileInfo(path).isAbsolute())
        candidates << path;
    else
        for (const QString& folder : searchPaths())
            candidates << QDir(folder).filePath(path);
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            // Read here, bounded, never by Qt's own unbounded reading.
            const std::optional<QByteArray> bytes = ReadLocalFile(candidate);
            return bytes ? QVariant::fromValue(*bytes) : refused;
        }
    }
    // A picture that is not there is asked for again at every layout unless
    // the answer is one the document keeps.
    return refused;
}

void PageBrowser::focusInEvent(QFocusEvent* event)
{
    QTextBrowser::focusInEvent(event);
    emit GotFocus();
}
