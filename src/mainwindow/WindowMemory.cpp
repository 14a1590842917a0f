#include "mainwindow/WindowMemory.h"

#include <QStringList>

#include <algorithm>

QString WriteWindowMemory(const WindowMemory& m)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(m.normal.x())
        .arg(m.normal.y())
        .arg(m.normal.width())
        .arg(m.normal.height())
        .arg(m.maximized ? 1 : 0)
        .arg(m.tabWidth)
        .arg(m.splitTop);
}

std::optional<WindowMemory> ReadWindowMemory(const QString& text)
{
    const QStringList parts = text.simplified().split(u' ');
    if (parts.size() != 7)
        return std::nullopt;
    int v[7];
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return WindowMemory{QRect(v[0], v[1], v[2], v[3]), v[4] != 0, v[5], v[6]};
}

QRect KeepOnScreen(const QRect& wanted, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return wanted;
    QRect screen = screens.first();
    qint64 best = -1;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(wanted);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > best) {
            best = area;
            screen = s;
        }
    }
    QRect r(wanted.topLeft(), wanted.size().boundedTo(screen.size()));
    r.moveLeft(std::clamp(r.left(), screen.left(), screen.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), screen.top(), screen.bottom() - r.height() + 1));
    return r;
}
