// Every interactive control of every window has a name a screen reader reads.
#include "fulltext/FrmFullText.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/FrmHotBrowser.h"
#include "startup/FrmWrongRegionalSettings.h"
#include "startup/Program.h"
#include "support/TestApp.h"
#include "windows/FrmAbout.h"
#include "windows/FrmHelp.h"
#include "windows/FrmIZelkor.h"
#include "windows/FrmSetSysParam.h"
#include "windows/FrmSystemInfo.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QToolButton>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES (1, 'Νόμοι', 1, -1, 1);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag) VALUES (1, 'Ν. 1', 1, 'Α', '<a href="#1">α</a>', 1);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

// The interactive controls of the window without a name, as "class objectName".
QStringList Unnamed(QWidget& window)
{
    static const QList<QAccessible::Role> interactive = {
        QAccessible::PushButton, QAccessible::CheckBox,  QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::SpinBox, QAccessible::List,        QAccessible::Tree,
        QAccessible::Table,      QAccessible::ButtonMenu};
    QStringList missing;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets)
        w->ensurePolished();
    for (QWidget* w : widgets) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (!face || !interactive.contains(face->role()))
            continue;
        if (face->text(QAccessible::Name).trimmed().isEmpty())
            missing << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    }
    return missing;
}

} // namespace

TEST(Accessibility, EveryControlOfEveryWindowHasAName)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    Program& program = app.program();
    FrmInitial& main = app.window();
    bool cancel = false;
    main.brwLawPage_BeforeNavigate2(QStringLiteral("#1"), cancel);
    QList<QWidget*> windows{&main, program.frmhotbrowser(), &program.loadFrmSetSysParam(), &program.loadFrmSystemInfo(),
                            &program.loadFrmHelp(), &program.loadFrmAbout(), &program.loadFrmIZelkor(),
                            &program.loadFrmFullText()};
    FrmWrongRegionalSettings regional(program.state(), app.platform);
    windows << &regional;
    for (QWidget* window : windows) {
        ASSERT_TRUE(window);
        const QStringList missing = Unnamed(*window);
        EXPECT_TRUE(missing.isEmpty()) << window->objectName().toStdString() << ": "
                                       << missing.join(QStringLiteral(", ")).toStdString();
    }
    // The names are Greek, and the views carry the program's own.
    EXPECT_EQ(main.tvwTreelaw->accessibleName(), QStringLiteral("Δέντρο νομοθετημάτων"));
    EXPECT_FALSE(main.cmdtoolbar[0]->accessibleName().isEmpty());
}
