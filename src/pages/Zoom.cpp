#include "pages/Zoom.h"

#include "startup/Registry.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr std::array<int, 13> kSteps{50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
const QString kZoomKey = QStringLiteral("\\TARVO\\Zoom");

} // namespace

namespace Zoom {

int Nearest(int percent)
{
    return *std::min_element(kSteps.begin(), kSteps.end(),
                             [&](int a, int b) { return std::abs(a - percent) < std::abs(b - percent); });
}

int StepIn(int percent)
{
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), Nearest(percent));
    return next == kSteps.end() ? kSteps.back() : *next;
}

int StepOut(int percent)
{
    const auto at = std::lower_bound(kSteps.begin(), kSteps.end(), Nearest(percent));
    return at == kSteps.begin() ? kSteps.front() : *(at - 1);
}

void ScaleExplicitSizes(QTextDocument& document, double ratio)
{
    struct Range {
        int from, length;
        QTextCharFormat format;
    };
    QList<Range> ranges;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            double points = 0;
            if (format.hasProperty(QTextFormat::FontPointSize))
                points = format.fontPointSize();
            else if (format.hasProperty(QTextFormat::FontPixelSize))
                points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
            if (points > 0) {
                QTextCharFormat scaled = format;
                scaled.clearProperty(QTextFormat::FontPixelSize);
                scaled.setFontPointSize(std::max(1.0, points * ratio));
                ranges.append({f.position(), f.length(), scaled});
            }
        }
    }
    QTextCursor cursor(&document);
    for (const Range& r : std::as_const(ranges)) {
        cursor.setPosition(r.from);
        cursor.setPosition(r.from + r.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(r.format);
    }
}

} // namespace Zoom

int ZoomMemory::level(const QString& kind) const
{
    bool ok = false;
    const int stored = GetRegString(m_registry, true, kZoomKey, kind, QString()).trimmed().toInt(&ok);
    return ok ? Zoom::Nearest(stored) : Zoom::kNormal;
}

void ZoomMemory::setLevel(const QString& kind, int percent)
{
    SetRegString(m_registry, kZoomKey, kind, QString::number(percent));
}
