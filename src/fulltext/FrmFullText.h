#pragma once

#include "fulltext/FullTextIndex.h"
#include "windows/AuxWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace FullText {
class Searcher;
class Service;
}

// The search in every text of the legislation: results come as the user
// types, best first; Enter or a double click opens the one chosen where the
// program shows it, with its words marked.
class FrmFullText : public AuxWindow {
    Q_OBJECT
public:
    FrmFullText(Program& program, FullText::Service& service);
    ~FrmFullText() override;

    QLineEdit* txtFullText;
    QComboBox* cmbFullTextType;
    QSpinBox* spnYearFrom;
    QSpinBox* spnYearTo;
    QLabel* lblFullTextCount;
    QListWidget* lstFullText;

    // Puts the text in the query box (selected, for typing over) and searches.
    void setQuery(const QString& text);
    // Opens the chosen result; false when none is chosen.
    bool openCurrent();
    // The results shown, for the tests.
    const QList<FullText::Hit>& hits() const { return m_hits; }

    // The result as its lines of rich text, the matched words marked.
    static QString HitHtml(const FullText::Hit& hit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void showResults(const FullText::Results& results, const QStringList& words, bool partial);
    void fillTypes();
    void showState();

    FullText::Service& m_service;
    FullText::Searcher* m_searcher;
    QList<FullText::Hit> m_hits;
    QStringList m_words;
    bool m_partial = false;
    bool m_answered = false;
};
