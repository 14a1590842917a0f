#pragma once

#include <QString>

// The picture of a document type in the document icons: 1 Word, 2 Excel,
// 3 a blank document.
int DocumentImageIndex(const QString& type);

// Spreadsheets ("xls", "xlsx") open in Excel as new workbooks; every other
// type opens in Word as itself.
bool IsSpreadsheetType(const QString& type);
