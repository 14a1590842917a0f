#include "pages/HtmlNesting.h"

#include <QHash>

#include <algorithm>
#include <optional>
#include <vector>

// Qt's parser, not a browser's, decides how deep a page nests: it takes every
// '<' for a tag, reads names through quotes and character references, closes
// a tag only where one of its own ancestors bears that name, and moves rows,
// cells and paragraphs up its tree by rules of its own. The limiter reads the
// page the same way and keeps the very tree Qt will build from what it
// passes on, so no spelling of a tag slips a level past it.

namespace {

enum class Id { Unknown, Other, Table, Tr, Cell, Th, Section, Caption, Dl, Term, P, Li, Body, Head, Void };
enum class Display { Block, Inline, Table, None };
// What an element counts toward. Rows and cells come with their table: Qt
// gives each a fixed place under it, so they cannot nest on their own.
enum class Kind { Table, Block, Inline, TableRowOrCell };

struct Info {
    Id id;
    Display display;
};

Info Lookup(const QString& name)
{
    static const std::vector<std::pair<QString, Info>> known = [] {
        const struct {
            const char* names;
            Info info;
        } groups[] = {
            {"a address b big cite code dfn em font html i kbd nobr s samp small span strong sub sup tt u var",
             {Id::Other, Display::Inline}},
            {"blockquote center div h1 h2 h3 h4 h5 h6 ol pre ul", {Id::Other, Display::Block}},
            {"link script style title", {Id::Other, Display::None}},
            {"br hr img meta", {Id::Void, Display::Inline}},
            {"body qt", {Id::Body, Display::Block}},
            {"tbody tfoot thead", {Id::Section, Display::Table}},
            {"dd dt", {Id::Term, Display::Block}},
            {"caption", {Id::Caption, Display::Block}},
            {"dl", {Id::Dl, Display::Block}},
            {"head", {Id::Head, Display::None}},
            {"li", {Id::Li, Display::Block}},
            {"p", {Id::P, Display::Block}},
            {"table", {Id::Table, Display::Table}},
            {"td", {Id::Cell, Display::Block}},
            {"th", {Id::Th, Display::Block}},
            {"tr", {Id::Tr, Display::Table}},
        };
        std::vector<std::pair<QString, Info>> list;
        for (const auto& group : groups)
            for (const QString& n : QString::fromLatin1(group.names).split(u' '))
                list.emplace_back(n, group.info);
        std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        return list;
    }();
    // A sorted list, as hashing every name of a long page costs more.
    const auto it = std::lower_bound(known.begin(), known.end(), name,
                                     [](const auto& entry, const QString& n) { return entry.first < n; });
    return it != known.end() && it->first == name ? it->second : Info{Id::Unknown, Display::Inline};
}

Kind KindOf(Info info)
{
    switch (info.id) {
    case Id::Table:
        return Kind::Table;
    case Id::Tr:
    case Id::Cell:
    case Id::Th:
    case Id::Section:
    case Id::Caption:
        return Kind::TableRowOrCell;
    default:
        return info.display == Display::Block ? Kind::Block : Kind::Inline;
    }
}

// The parents Qt lets an element have; it climbs past any other.
bool AllowedIn(Id id, Id parent)
{
    switch (id) {
    case Id::Term:
        return parent == Id::Dl;
    case Id::Tr:
        return parent == Id::Table || parent == Id::Section;
    case Id::Cell:
    case Id::Th:
        return parent == Id::Tr;
    case Id::Section:
    case Id::Caption:
        return parent == Id::Table;
    case Id::Body:
        return parent != Id::Head;
    default:
        return true;
    }
}

// A tag's name as Qt compares it: references decoded, lower case. A name
// with a named reference in it is marked unclear: telling which names Qt
// knows would take its whole table, and such a tag is dropped instead.
struct Name {
    QString text;
    bool unclear = false;
};

struct Tag {
    enum Type { Comment, Open, Close } type = Comment;
    Name name;
    bool selfClosed = false;
    qsizetype end = 0;
};

class Reader {
public:
    explicit Reader(const QString& s) : m_s(s), m_n(s.size()) {}

    // The tag whose '<' is just before 'pos', read step by step as Qt reads it.
    Tag Read(qsizetype pos) const
    {
        Tag tag;
        pos = EatSpace(pos);
        if (Has(pos, u'!')) {
            ++pos;
            if (Has(pos, u'-') && Has(pos + 1, u'-')) {
                const qsizetype close = m_s.indexOf(QLatin1String("-->"), pos + 2);
                tag.end = close >= 0 ? close + 3 : m_n;
            } else {
                tag.end = SkipPast(pos);
            }
            return tag;
        }
        if (Has(pos, u'/')) {
            tag.type = Tag::Close;
            pos = Word(pos + 1, &tag.name);
            tag.name.text = tag.name.text.toLower().trimmed();
            tag.end = SkipPast(pos);
            return tag;
        }
        tag.type = Tag::Open;
        pos = Word(pos, &tag.name);
        tag.name.text = tag.name.text.toLower();
        if (pos < m_n && m_s[pos].isSpace())
            pos = Attributes(pos);
        while (pos < m_n && m_s[pos] != u'>') {
            if (m_s[pos] == u'/')
                tag.selfClosed = true;
            ++pos;
        }
        tag.end = std::min(pos + 1, m_n);
        return tag;
    }

private:
    bool Has(qsizetype pos, char16_t c) const { return pos < m_n && m_s[pos] == c; }

    qsizetype EatSpace(qsizetype pos) const
    {
        while (pos < m_n && m_s[pos].isSpace() && m_s[pos] != QChar::ParagraphSeparator)
            ++pos;
        return pos;
    }

    qsizetype SkipPast(qsizetype pos) const
    {
        while (pos < m_n)
            if (m_s[pos++] == u'>')
                break;
        return pos;
    }

    // A word, quoted or not, from 'pos'; its text goes to 'name' when given.
    // Returns the position after it; 'empty' tells whether it gave Qt nothing.
    qsizetype Word(qsizetype pos, Name* name, bool* empty = nullptr) const
    {
        bool gave = false;
        if (Has(pos, u'"')) {
            ++pos;
            while (pos < m_n) {
                const QChar c = m_s[pos++];
                if (c == u'"')
                    break;
                gave = true;
                if (name)
                    pos = c == u'&' ? Reference(pos, name) : (name->text += c, pos);
            }
        } else if (Has(pos, u'\'')) {
            ++pos;
            while (pos < m_n) {
                const QChar c = m_s[pos++];
                // Qt lets a backslash keep a single quote inside the word.
                if (c == u'\'' && m_s[pos - 2] != u'\\')
                    break;
                gave = true;
                if (name)
                    name->text += c;
            }
        } else {
            while (pos < m_n) {
                const QChar c = m_s[pos++];
                if (c == u'>' || (c == u'/' && Has(pos, u'>')) || c == u'<' || c == u'=' || c.isSpace()) {
                    --pos;
                    break;
                }
                gave = true;
                if (name)
                    pos = c == u'&' ? Reference(pos, name) : (name->text += c, pos);
            }
        }
        if (empty)
            *empty = !gave;
        return pos;
    }

    // A character reference after '&' at 'pos', as Qt decodes one inside a
    // word. Only the characters Qt keeps in tag names matter here.
    qsizetype Reference(qsizetype pos, Name* name) const
    {
        const qsizetype recover = pos;
        qsizetype length = 0;
        bool failed = false;
        while (pos < m_n) {
            const QChar c = m_s[pos++];
            if (c.isSpace() || pos - recover > 9) {
                failed = true;
                break;
            }
            if (c == u';')
                break;
            ++length;
        }
        if (!failed && length > 0) {
            QStringView entity = QStringView(m_s).mid(recover, length);
            if (entity.size() > 1 && entity[0] == u'#') {
                entity = entity.mid(1);
                int base = 10;
                if (entity[0].toLower() == u'x') {
                    entity = entity.mid(1);
                    base = 16;
                }
                bool ok = false;
                const uint code = entity.toUInt(&ok, base);
                if (ok) {
                    if (code < 0x80)
                        name->text += QChar(char16_t(code));
                    else
                        name->unclear = true;
                    return pos;
                }
            } else if (std::all_of(entity.begin(), entity.end(),
                                   [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); })) {
                name->unclear = true;
                return pos;
            }
        }
        name->text += u'&';
        return recover;
    }

    qsizetype Attributes(qsizetype pos) const
    {
        while (pos < m_n) {
            pos = EatSpace(pos);
            if (Has(pos, u'>') || Has(pos, u'/'))
                break;
            bool empty = false;
            pos = Word(pos, nullptr, &empty);
            if (empty)
                break;
            pos = EatSpace(pos);
            if (Has(pos, u'='))
                pos = Word(EatSpace(pos + 1), nullptr);
        }
        return pos;
    }

    const QString& m_s;
    const qsizetype m_n;
};

// An element Qt holds open, with what its ancestors and it count up to.
struct Element {
    QString tag;
    Id id;
    bool block;  // what a new paragraph looks for among its ancestors
    bool hidden; // within head, script, style: Qt hides the children too
    quint64 order;
    int tables;
    int blocks;
    int inlines;
};

// A tag the limiter left out while it would have been open: its closing tag
// goes too. 'height' is how many elements were open beneath it.
struct Dropped {
    QString tag;
    quint64 order;
    size_t height;
    bool closed;
};

class Tree {
public:
    size_t Height() const { return m_open.size(); }
    const Element& At(size_t i) const { return m_open[i]; }

    // Counts of the elements below 'height' with those of 'e' added.
    void Count(size_t height, Kind kind, Element* e) const
    {
        e->tables = height ? m_open[height - 1].tables : 0;
        e->blocks = height ? m_open[height - 1].blocks : 0;
        e->inlines = height ? m_open[height - 1].inlines : 0;
        e->tables += kind == Kind::Table;
        e->blocks += kind == Kind::Block;
        e->inlines += kind == Kind::Inline;
    }

    void Push(Element e)
    {
        e.order = ++m_order;
        m_open.push_back(std::move(e));
    }

    // Qt closes everything from 'height' up; what was left out inside goes too.
    void CutTo(size_t height)
    {
        m_open.resize(std::min(height, m_open.size()));
        while (!m_dropped.empty() && (m_dropped.back().closed || m_dropped.back().height > height)) {
            if (!m_dropped.back().closed)
                m_droppedByTag[m_dropped.back().tag].pop_back();
            m_dropped.pop_back();
        }
    }

    void Drop(const QString& tag)
    {
        m_droppedByTag[tag].push_back(m_dropped.size());
        m_dropped.push_back({tag, ++m_order, m_open.size(), false});
    }

    // The most recent of the left-out tags of that name, 0 for none.
    quint64 DroppedOrder(const QString& tag) const
    {
        if (m_dropped.empty())
            return 0;
        const auto it = m_droppedByTag.constFind(tag);
        return it == m_droppedByTag.cend() || it->empty() ? 0 : m_dropped[it->back()].order;
    }

    void CloseDropped(const QString& tag)
    {
        std::vector<size_t>& list = m_droppedByTag[tag];
        m_dropped[list.back()].closed = true;
        list.pop_back();
        while (!m_dropped.empty() && m_dropped.back().closed)
            m_dropped.pop_back();
    }

    // Where the innermost open element of that tag is, -1 for none.
    qsizetype Find(const QString& tag) const
    {
        for (size_t i = m_open.size(); i-- > 0;)
            if (m_open[i].tag == tag)
                return static_cast<qsizetype>(i);
        return -1;
    }

    bool Has(Id id, size_t below) const
    {
        for (size_t i = below; i-- > 0;)
            if (m_open[i].id == id)
                return true;
        return false;
    }

    // Whether a tag left out is still open above 'height'.
    bool DroppedAbove(size_t height) const { return !m_dropped.empty() && m_dropped.back().height > height; }

    // Whether the elements below 'height' put it in a cell of the innermost
    // table, or in no table at all.
    bool InCellOrNoTable(size_t height) const
    {
        for (size_t i = height; i-- > 0;) {
            if (m_open[i].id == Id::Cell || m_open[i].id == Id::Th)
                return true;
            if (m_open[i].id == Id::Table)
                return false;
        }
        return true;
    }

    // Within a table that was left out, its rows and cells are left out too.
    bool InDroppedTable() const
    {
        const quint64 dropped = DroppedOrder(QStringLiteral("table"));
        if (dropped == 0)
            return false;
        for (size_t i = m_open.size(); i-- > 0;)
            if (m_open[i].id == Id::Table)
                return m_open[i].order < dropped;
        return true;
    }

private:
    std::vector<Element> m_open;
    std::vector<Dropped> m_dropped;
    QHash<QString, std::vector<size_t>> m_droppedByTag;
    quint64 m_order = 0;
};

bool Within(const Element& e)
{
    return e.tables <= kMaxTableDepth && e.blocks <= kMaxBlockDepth && e.inlines <= kMaxInlineDepth;
}

bool IsRowOrCell(Id id)
{
    return id == Id::Tr || id == Id::Cell || id == Id::Th || id == Id::Section || id == Id::Caption;
}

// What stands for a tag left out, so that the words before and after it
// stay separate: a line where a block or a row began, a space between cells
// and where a block ended. Qt ends a block at the closing tag of a division
// only when something was nested in it, as the line now is.
QString Separator(Info info, bool closing)
{
    if (info.display != Display::Block && info.id != Id::Tr)
        return QString();
    if (closing || info.id == Id::Cell || info.id == Id::Th)
        return QStringLiteral(" ");
    return QStringLiteral("<br>");
}

class Limiter {
public:
    // The text that replaces the tag, or nothing when the tag stays.
    std::optional<QString> Open(const Tag& tag)
    {
        if (tag.name.unclear)
            return QString();
        if (tag.name.text.isEmpty())
            return std::nullopt; // Qt passes over a nameless tag when it nests the next one
        const Info info = Lookup(tag.name.text);
        if (info.id == Id::Void) {
            if (tag.name.text == QLatin1String("img") && ++m_pictures > kMaxPictures)
                return QString();
            return std::nullopt;
        }
        if (IsRowOrCell(info.id) && m_tree.InDroppedTable())
            return Separator(info, false);

        // Where Qt puts the element: below which of the open ones, and with
        // which table and row it makes for a stray cell or row.
        size_t parent = m_tree.Height();
        int made = 0;
        if (info.id == Id::Cell && !m_tree.Has(Id::Tr, parent))
            made = 2;
        else if (info.id == Id::Tr && !m_tree.Has(Id::Table, parent))
            made = 1;
        if (made == 0) {
            if (info.id == Id::P) {
                size_t q = parent;
                while (q > 0 && !m_tree.At(q - 1).block)
                    --q;
                if (q > 0 && m_tree.At(q - 1).id == Id::P)
                    parent = q;
            }
            if (parent > 0 && m_tree.At(parent - 1).id == info.id && (info.id == Id::P || info.id == Id::Li))
                --parent;
            while (parent > 0 && !AllowedIn(info.id, m_tree.At(parent - 1).id))
                --parent;
        }

        const bool hidden = made == 0 && parent > 0 && m_tree.At(parent - 1).hidden;
        std::vector<Element> added;
        if (made > 0) {
            added.push_back({QStringLiteral("table"), Id::Table, false, false, 0, 0, 0, 0});
            m_tree.Count(parent, Kind::Table, &added.back());
        }
        if (made > 1) {
            added.push_back({QStringLiteral("tr"), Id::Tr, false, false, 0, 0, 0, 0});
            added.back().tables = added[0].tables;
            added.back().blocks = added[0].blocks;
            added.back().inlines = added[0].inlines;
        }
        const bool stays = !tag.selfClosed;
        if (stays) {
            Element e{tag.name.text, info.id, !hidden && info.display == Display::Block,
                      hidden || info.display == Display::None, 0, 0, 0, 0};
            if (added.empty()) {
                m_tree.Count(parent, KindOf(info), &e);
            } else {
                e.tables = added.back().tables;
                e.blocks = added.back().blocks + (KindOf(info) == Kind::Block);
                e.inlines = added.back().inlines + (KindOf(info) == Kind::Inline);
            }
            added.push_back(std::move(e));
        }
        bool keep = added.empty() || Within(added.back());
        // Qt skips hidden elements as it builds, but not their closing:
        // a hidden table would close one it holds open, and a hidden cell
        // would move it to another cell of that table.
        if ((info.id == Id::Table || IsRowOrCell(info.id)) && parent > 0 && m_tree.At(parent - 1).hidden)
            keep = false;
        // When a table closes Qt goes on in the cell of the table around it;
        // outside a cell nothing tells it where, and it stays within the
        // table just closed: the next table would then nest in it.
        if ((info.id == Id::Table || made > 0) && !m_tree.InCellOrNoTable(parent))
            keep = false;
        // Qt would lift the element out of one left out, closing kept ones
        // around it: their closing tags would then close the wrong ones.
        if (parent < m_tree.Height() && m_tree.DroppedAbove(parent))
            keep = false;
        if (!keep) {
            if (stays) {
                for (const Element& e : added)
                    m_tree.Drop(e.tag);
            }
            return Separator(info, false);
        }
        m_tree.CutTo(parent);
        for (Element& e : added)
            m_tree.Push(std::move(e));
        return std::nullopt;
    }

    std::optional<QString> Close(const Tag& tag)
    {
        if (tag.name.unclear)
            return QString();
        const QString& name = tag.name.text;
        if (name.isEmpty())
            return std::nullopt;
        // Closing a picture or a rule would send Qt back into an element
        // already closed, if one of those came just before.
        const Info info = Lookup(name);
        if (info.id == Id::Void)
            return QString();
        if (IsRowOrCell(info.id) && m_tree.InDroppedTable())
            return Separator(info, true);
        const qsizetype open = m_tree.Find(name);
        const quint64 dropped = m_tree.DroppedOrder(name);
        if (dropped != 0 && (open < 0 || m_tree.At(open).order < dropped)) {
            m_tree.CloseDropped(name);
            return Separator(info, true);
        }
        if (open >= 0)
            m_tree.CutTo(static_cast<size_t>(open));
        return std::nullopt;
    }

private:
    Tree m_tree;
    int m_pictures = 0;
};

} // namespace

QString LimitNesting(const QString& html)
{
    const Reader reader(html);
    Limiter limiter;
    QString out;
    bool changed = false;
    qsizetype copied = 0;
    for (qsizetype i = html.indexOf(u'<'); i >= 0; ) {
        const Tag tag = reader.Read(i + 1);
        std::optional<QString> replacement;
        if (tag.type == Tag::Open)
            replacement = limiter.Open(tag);
        else if (tag.type == Tag::Close)
            replacement = limiter.Close(tag);
        if (replacement) {
            if (!changed)
                out.reserve(html.size());
            changed = true;
            out += QStringView(html).mid(copied, i - copied);
            out += *replacement;
            copied = tag.end;
        }
        if (tag.end >= html.size())
            break;
        i = html.indexOf(u'<', tag.end);
    }
    if (!changed)
        return html;
    out += QStringView(html).mid(copied);
    return out;
}
