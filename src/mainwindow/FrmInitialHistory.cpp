#include "mainwindow/FrmInitial.h"

#include "history/HistoryFile.h"
#include "startup/Paths.h"
#include "startup/Program.h"

#include <QListWidget>

qint32 FrmInitial::historyLawId() const
{
    const QListWidgetItem* entry = lsthistory->currentItem();
    return entry && entry->isSelected() ? entry->data(Qt::UserRole).toInt() : 0;
}

void FrmInitial::LoadHistory()
{
    bool opened = false;
    const QStringList lines = ReadHistoryLines(Paths::Join(m_state.gAppPath, Paths::kHistoryFile), &opened);
    if (!opened)
        return;
    for (const auto& [title, id] : HistoryEntries(*m_state.gAdoConnection, lines)) {
        auto* entry = new QListWidgetItem(title, lsthistory);
        entry->setData(Qt::UserRole, id);
    }
}

void FrmInitial::save_history()
{
    QList<qint32> ids;
    for (int i = 0; i < lsthistory->count(); ++i)
        ids.append(lsthistory->item(i)->data(Qt::UserRole).toInt());
    WriteHistoryFile(Paths::Join(m_state.gAppPath, Paths::kHistoryFile), ids);
}

void FrmInitial::cmdpicsavewholelaw_Click()
{
}
