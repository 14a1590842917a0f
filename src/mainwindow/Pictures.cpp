#include "mainwindow/Pictures.h"

#include <QApplication>
#include <QLinearGradient>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <functional>

namespace Pictures {

namespace {

QIcon standard(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}

QIcon document(const QColor& mark, const QString& letter)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(7, 2);
    page.lineTo(21, 2);
    page.lineTo(27, 8);
    page.lineTo(27, 30);
    page.lineTo(7, 30);
    page.closeSubpath();
    p.fillPath(page, Qt::white);
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.drawPath(page);
    p.drawLine(QPointF(21, 2), QPointF(21, 8));
    p.drawLine(QPointF(21, 8), QPointF(27, 8));
    if (letter.isEmpty()) {
        p.setPen(QPen(QColor(160, 160, 160), 1));
        for (int y = 13; y <= 25; y += 4)
            p.drawLine(11, y, 23, y);
    } else {
        p.fillRect(QRect(3, 12, 16, 14), mark);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(12);
        p.setFont(f);
        p.drawText(QRect(3, 12, 16, 14), Qt::AlignCenter, letter);
    }
    return QIcon(pm);
}

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pm);
}

} // namespace

QPixmap EditionLogo(const QString& title)
{
    QPixmap pm(280, 84);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(38);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    // The toolbar covers the top quarter of the strip.
    f.setPixelSize(30);
    p.setFont(f);
    p.setPen(QColor(60, 40, 35, 120));
    p.drawText(QRect(22, 24, 260, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(QColor(255, 246, 236));
    p.drawText(QRect(20, 22, 260, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(12);
    p.setFont(small);
    // The strip lightens to the right; a band of its darkest brown keeps the
    // subtitle above 4.5:1 wherever it falls.
    const int width = QFontMetrics(small).horizontalAdvance(QStringLiteral("Νομοθεσία Δευτεροβάθμιας Εκπαίδευσης"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 66, 56, 200));
    p.drawRoundedRect(QRectF(17, 60, width + 10, 18), 4, 4);
    p.setPen(QColor(250, 236, 226));
    p.drawText(QRect(22, 58, 260, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Νομοθεσία Δευτεροβάθμιας Εκπαίδευσης"));
    return pm;
}

QPixmap LogoStrip()
{
    QPixmap pm(400, 84);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 400, 84);
    g.setColorAt(0.0, QColor(122, 92, 82));
    g.setColorAt(0.5, QColor(164, 130, 118));
    g.setColorAt(1.0, QColor(196, 170, 160));
    p.fillRect(pm.rect(), g);
    return pm;
}

QIcon FolderClosed()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 30), 1.5));
        p.setBrush(QColor(240, 196, 90));
        QPainterPath tab;
        tab.moveTo(3, 9);
        tab.lineTo(3, 6);
        tab.lineTo(12, 6);
        tab.lineTo(15, 9);
        tab.closeSubpath();
        p.drawPath(tab);
        p.drawRoundedRect(QRectF(3, 9, 26, 18), 2, 2);
    });
}

QIcon FolderOpen()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 30), 1.5));
        p.setBrush(QColor(214, 166, 60));
        p.drawRoundedRect(QRectF(3, 6, 22, 21), 2, 2);
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(160, 160, 160), 1));
        p.drawRect(QRectF(7, 9, 15, 12));
        p.setPen(QPen(QColor(150, 110, 30), 1.5));
        p.setBrush(QColor(250, 214, 120));
        QPainterPath front;
        front.moveTo(3, 27);
        front.lineTo(8, 14);
        front.lineTo(30, 14);
        front.lineTo(25, 27);
        front.closeSubpath();
        p.drawPath(front);
    });
}
QIcon WordDocument() { return document(QColor(43, 87, 154), QStringLiteral("W")); }
QIcon ExcelDocument() { return document(QColor(33, 115, 70), QStringLiteral("X")); }
QIcon BlankDocument() { return document(QColor(), QString()); }
QIcon Help()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(40, 70, 140), 2));
        p.setBrush(QColor(225, 235, 250));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(18);
        p.setFont(f);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
    });
}
QIcon SearchTexts()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 17, 22));
        for (int y = 8; y <= 20; y += 4)
            p.drawLine(QPointF(7, y), QPointF(18, y));
        p.setPen(QPen(QColor(40, 70, 140), 2.6));
        p.setBrush(QColor(225, 235, 250, 200));
        p.drawEllipse(QRectF(13, 12, 11, 11));
        p.drawLine(QPointF(22.5, 21.5), QPointF(29, 28));
    });
}
QIcon Home()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 40), 1.6));
        p.setBrush(QColor(200, 70, 50));
        p.drawPolygon(QPolygonF({QPointF(3, 15), QPointF(16, 4), QPointF(29, 15)}));
        p.setBrush(QColor(245, 235, 215));
        p.drawRect(QRectF(7, 15, 18, 13));
        p.setBrush(QColor(120, 80, 50));
        p.drawRect(QRectF(14, 20, 5, 8));
    });
}
QIcon About() { return standard(QStyle::SP_MessageBoxInformation); }
QIcon Settings() { return standard(QStyle::SP_FileDialogDetailedView); }
QIcon Exit() { return standard(QStyle::SP_DialogCloseButton); }
QIcon SaveToHistory() { return standard(QStyle::SP_DialogSaveButton); }
QIcon Delete() { return standard(QStyle::SP_TrashIcon); }

QIcon Print()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 70), 1.4));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 9));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
        p.setPen(QPen(QColor(140, 140, 140), 1));
        p.drawLine(12, 23, 20, 23);
        p.drawLine(12, 26, 20, 26);
    });
}

} // namespace Pictures
