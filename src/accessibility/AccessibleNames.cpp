#include "accessibility/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QWidget>

QString AccessibleNames::KnownName(const QString& objectName)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("tvwTree"), QStringLiteral("Δέντρο θεμάτων")},
        {QStringLiteral("tvwTreelaw"), QStringLiteral("Δέντρο νομοθετημάτων")},
        {QStringLiteral("tvwTreeschedule(0)"), QStringLiteral("Δέντρο του οδηγού εγγράφων")},
        {QStringLiteral("tvwTreeschedule(1)"), QStringLiteral("Δέντρο του οργανογράμματος")},
        {QStringLiteral("lsthistory"), QStringLiteral("Ιστορικό: τα νομοθετήματα που κρατήσατε")},
        {QStringLiteral("brwWebBrowser1"), QStringLiteral("Σελίδα του θέματος ή της κατηγορίας")},
        {QStringLiteral("brwWebBrowser2"), QStringLiteral("Σελίδα του νομοθετήματος ή του υποδείγματος")},
        {QStringLiteral("brwWebBrowser3"), QStringLiteral("Κείμενο του νομοθετήματος")},
        {QStringLiteral("brwWebBrowserLawFile"), QStringLiteral("Έγγραφο του νομοθετήματος")},
        {QStringLiteral("rtbWord"), QStringLiteral("Έγγραφο του υποδείγματος")},
        {QStringLiteral("rtbWordLaw"), QStringLiteral("Έγγραφο του νομοθετήματος")},
        {QStringLiteral("rtbWordLawTopic"), QStringLiteral("Έγγραφο του νομοθετήματος")},
        {QStringLiteral("rtbAbstract"), QStringLiteral("Οδηγίες της κατηγορίας")},
        {QStringLiteral("cmbLawsAbstracts"), QStringLiteral("Υπάρχει σύνδεση στα θέματα")},
        {QStringLiteral("brwhotbrowser"), QStringLiteral("Κείμενο του νομοθετήματος")},
        {QStringLiteral("brwFilehotbrowser"), QStringLiteral("Έγγραφο του νομοθετήματος")},
        {QStringLiteral("rtbhotBrowser"), QStringLiteral("Έγγραφο του νομοθετήματος")},
        {QStringLiteral("lstFullText"), QStringLiteral("Αποτελέσματα της αναζήτησης στα κείμενα")},
    };
    return names.value(objectName);
}

namespace {

QString WithoutAccelerator(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))).remove(u':').trimmed();
}

// The label whose buddy the widget is, among its window's labels.
QString BuddyText(const QWidget* widget)
{
    for (const QLabel* label : widget->window()->findChildren<QLabel*>())
        if (label->buddy() == widget)
            return WithoutAccelerator(label->text());
    return QString();
}

} // namespace

void AccessibleNames::Name(QWidget* widget)
{
    if (widget->accessibleName().isEmpty()) {
        QString name = KnownName(widget->objectName());
        if (name.isEmpty()) {
            if (const auto* button = qobject_cast<QAbstractButton*>(widget))
                name = WithoutAccelerator(button->text());
            else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)
                     || qobject_cast<QAbstractSpinBox*>(widget))
                name = BuddyText(widget);
            if (name.isEmpty())
                name = widget->toolTip();
            // The clear button Qt puts inside a line edit.
            if (name.isEmpty() && qobject_cast<QAbstractButton*>(widget) && qobject_cast<QLineEdit*>(widget->parentWidget()))
                name = QStringLiteral("Καθαρισμός του πεδίου");
            if (name.isEmpty())
                if (const auto* edit = qobject_cast<QLineEdit*>(widget))
                    name = edit->placeholderText();
            if (name.isEmpty() && (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QTextEdit*>(widget)))
                name = widget->window()->windowTitle();
        }
        if (!name.isEmpty())
            widget->setAccessibleName(name);
    }
    if (widget->accessibleDescription().isEmpty() && !widget->toolTip().isEmpty())
        widget->setAccessibleDescription(widget->toolTip());
}

bool AccessibleNames::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish && watched->isWidgetType())
        Name(static_cast<QWidget*>(watched));
    return false;
}
