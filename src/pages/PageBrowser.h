#pragma once

#include <QTextBrowser>

#include <optional>

#include <functional>

class ReadingTools;

// A page view that never navigates by itself. A page is the body of a blank
// document: Navigate("about:blank") empties it and SetBodyHtml writes the
// body. Every link click reaches BeforeNavigate2 first; a navigation the
// handler does not cancel goes ahead.
class PageBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit PageBrowser(const QString& name, QWidget* parent = nullptr);

    // Zoom, find and the context menu.
    ReadingTools& Tools() const { return *m_tools; }

    static const QString kBlank;

    void Navigate(const QString& url);
    // Where a link not taken by BeforeNavigate2 may lead. Pages of these
    // folders open in the view; web and mail addresses go to the opener (the
    // user's own browser); anything else, a local file outside these folders
    // above all, is not opened.
    void setLinkPolicy(QStringList pageFolders, std::function<void(const QUrl&)> externalOpener);

    // Folders where the pictures of a document of its own are looked for
    // after the document's own folder.
    void setPictureFolders(const QStringList& folders) { m_pictureFolders = folders; }
    // The address of the document shown: "about:blank", or the file shown.
    QString LocationURL() const { return m_location; }

    // The body's inner HTML, as last written.
    const QString& BodyHtml() const { return m_body; }
    // Writes the body. It is laid out when control returns to the event loop,
    // unless the page style is applied first, so that a page is laid out once.
    void SetBodyHtml(const QString& html);
    // Lays out a body written but not laid out yet.
    void Flush();

    // Gives the page the look of the page style rules; the rules apply to what
    // the page holds now and until its body is written again.
    void ApplyPageStyle();
    bool IsStyled() const { return m_styled; }

    // The address a link of the page reports: relative links resolve against
    // the document shown.
    QString AddressOf(const QUrl& link) const;

    // The largest file a page or one of its pictures may be read from.
    static constexpr qint64 kMaxFileBytes = 50 * 1024 * 1024;
    // Every file a page reads (itself, its pictures, backgrounds, style
    // pictures): a regular file outside /proc, /sys and /dev, read to
    // kMaxFileBytes at the most; nothing otherwise.
    static std::optional<QByteArray> ReadLocalFile(const QString& path);
    // A page of more text than a reader reads, cut with a note: eleven
    // megabytes of one law would freeze every click on it.
    static constexpr qsizetype kMaxPageChars = 1'000'000;
    static QString BoundedPage(const QString& html);

signals:
    void BeforeNavigate2(const QString& url, bool& cancel);
    void NavigateComplete2(const QString& url);
    void DocumentComplete(const QString& url);
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    // Pictures come only from regular local files of a sane size: a stored
    // text naming a device would otherwise be read until memory runs out,
    // and a page never fetches anything from the network.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void render();
    void linkClicked(const QUrl& link);

    ReadingTools* m_tools;
    QString m_location;
    QStringList m_pictureFolders;
    QStringList m_pageFolders;
    std::function<void(const QUrl&)> m_externalOpener;
    QString m_body;
    QString m_documentHtml;  // a document of its own, as read
    bool m_styled = false;
    bool m_renderPending = false;
};
