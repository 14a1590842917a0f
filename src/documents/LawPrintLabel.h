#pragma once

#include "documents/Printing.h"

class Database;
class RegistryStore;

// The label of a law's print: "number — title" as its running header, and
// the folder the last PDF file went to (kept in the user's settings).
PrintLabel LawPrintLabel(Database& db, RegistryStore& registry, qint32 lawId);
// Keeps the folder the PDF file of this print went to, for the next one.
void KeepPdfFolder(RegistryStore& registry, const PrintLabel& label);
