#include "documents/LawPrintLabel.h"

#include "data/Database.h"
#include "fulltext/IndexSources.h"
#include "startup/Registry.h"

namespace {

const QString kSubKey = QStringLiteral("\\TARVO");
const QString kPdfFolder = QStringLiteral("PdfFolder");

} // namespace

PrintLabel LawPrintLabel(Database& db, RegistryStore& registry, qint32 lawId)
{
    PrintLabel label;
    label.pdfFolder = GetRegString(registry, true, kSubKey, kPdfFolder, QString());
    if (lawId == 0)
        return label;
    Recordset rs = db.execute(QStringLiteral("SELECT law_code, title FROM law WHERE law_id = ") + QString::number(lawId));
    if (rs.eof())
        return label;
    const QString code = rs.text(u"law_code").simplified();
    const QString title = QString::fromStdString(FullText::HtmlToText(rs.text(u"title").toStdString())).simplified();
    label.heading = code.isEmpty() ? title : title.isEmpty() ? code : code + QStringLiteral(" — ") + title;
    return label;
}

void KeepPdfFolder(RegistryStore& registry, const PrintLabel& label)
{
    if (!label.pdfFolder.isEmpty())
        SetRegString(registry, kSubKey, kPdfFolder, label.pdfFolder);
}
