#include "mainwindow/FrmInitial.h"

#include "documents/BlobWriter.h"
#include "mainwindow/Controls.h"
#include "startup/Program.h"

void FrmInitial::ShowLawFile(qint32, bool)
{
}

void FrmInitial::ShowScheduleFile(qint32, QString& html)
{
    html.clear();
}

QString FrmInitial::SaveBlobBodyFile(const QString& query)
{
    return WriteBlobFile(*m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobBody.rtf"));
}

QString FrmInitial::SaveBlobSubBodyFile(const QString& query, const QString& type, ProgressControl* progress)
{
    return WriteBlobFile(*m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobSubBody.") + type,
                         [this, progress] {
                             if (progress) {
                                 const double elapsed = SecondsSinceMidnight() - m_state.gBlobStartTime;
                                 progress->UpdateStatus(BlobProgressFraction(elapsed), false);
                             }
                         });
}
