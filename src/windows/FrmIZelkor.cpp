#include "windows/FrmIZelkor.h"

#include "mainwindow/Controls.h"
#include "pages/ReadingSetup.h"
#include "startup/Edition.h"

#include <QFile>
#include <QPushButton>
#include <QTextDocument>

FrmIZelkor::FrmIZelkor(Program& program)
    : AuxWindow(program, QStringLiteral("frmIZelkor"))
{
    setWindowTitle(QStringLiteral("Κείμενο"));
    txt = new RichTextBox(QStringLiteral("txt"), this);
    cmdExit = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    setCloseButton(cmdExit);
    SetUpReadingViews(m_program, *this, {}, {txt});
    connect(cmdExit, &QPushButton::clicked, this, [this] { close(); });
    resize(640, 520);
}

QByteArray FrmIZelkor::Document(int selector)
{
    const char* names[] = {":/texts/privacy.rtf", ":/texts/licence.rtf"};
    if (selector < 0 || selector > 1)
        return QByteArray();
    QFile file(QString::fromLatin1(names[selector]));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FrmIZelkor::init(int pChoice)
{
    const bool changed = pChoice - 1 != m_selector;
    m_selector = pChoice - 1;
    // Asked for the other text while open, the window shows that one.
    if (m_loaded && changed)
        guarded([this] { Form_Load(); });
}

void FrmIZelkor::Form_Load()
{
    m_loaded = true;
    switch (m_selector) {
    case 0: setWindowTitle(QStringLiteral("Δήλωση περί απορρήτου  ") + Edition::kMakersMark); break;
    case 1: setWindowTitle(QStringLiteral("Άδεια Χρήσης Λογισμικού  ") + Edition::kMakersMark); break;
    default: break;
    }
    const QByteArray rtf = Document(m_selector);
    if (rtf.isEmpty())
        txt->clear();
    else
        txt->SetTextRTF(rtf);
    txt->document()->setDocumentMargin(12);
}

void FrmIZelkor::Form_Resize()
{
    // The text takes the window above the row of its close button.
    const int margin = 8;
    const QSize button = cmdExit->sizeHint().expandedTo(QSize(100, 0));
    const int textHeight = height() - button.height() - 2 * margin;
    if (width() > 0 && textHeight > 0)
        txt->setGeometry(0, 0, width(), textHeight);
    cmdExit->setGeometry(width() - button.width() - margin, height() - button.height() - margin, button.width(),
                         button.height());
}

void FrmIZelkor::resizeEvent(QResizeEvent* event)
{
    AuxWindow::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}

void FrmIZelkor::showEvent(QShowEvent* event)
{
    if (!m_loaded)
        guarded([this] { Form_Load(); });
    AuxWindow::showEvent(event);
}
