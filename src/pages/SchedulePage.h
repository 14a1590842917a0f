#pragma once

#include <QString>

class Database;

// The page of one entry of the document guide: its title and its abstracts.
struct ScheduleNodePage {
    enum class Outcome {
        NoAbstracts,        // a page of one blank
        StoredDocument,     // the first abstract is a stored rtf document
        FirstAbstractNull,  // blank, and no abstract text
        Built
    };
    Outcome outcome = Outcome::NoAbstracts;
    QString html = QStringLiteral(" ");
    qint32 documentAbstractId = 0;
};

ScheduleNodePage BuildScheduleNodePage(Database& db, qint32 scheduleId);
