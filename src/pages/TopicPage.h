#pragma once

#include <QString>

class Database;

// The page of one topic: its title and its abstracts in their set order, and
// in the editions other than Selvara a link to each displayed law of each abstract.
struct TopicPage {
    enum class Outcome {
        NoAbstracts,        // the page stays blank
        FirstAbstractNull,  // the page stays blank and has no abstract text
        Built
    };
    Outcome outcome = Outcome::NoAbstracts;
    QString html;  // starts with one blank
};

TopicPage BuildTopicPage(Database& db, qint32 topicId, const QString& appTitle);
