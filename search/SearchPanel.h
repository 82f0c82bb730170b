#pragma once
// The search panel: a field that finds as it is typed, and the list of hits grouped by chapter.
// Up and Down move through the hits from the field, Enter or a double click opens one, Esc asks
// to close the panel. Opening a hit is not the panel's business: it reports the hit, and the
// frame shows it.

#include "search/SearchIndex.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

class SearchPanel : public QWidget
{
    Q_OBJECT

  public:
    // Builds the index when the first word is typed, not before.
    using IndexFactory = std::function<std::unique_ptr<search::SearchIndex>()>;

    explicit SearchPanel(IndexFactory makeIndex, QWidget *parent = nullptr);
    ~SearchPanel() override;

    // Puts the cursor into the field with its text selected, ready for a new query.
    void focusField();

    QLineEdit *field() const { return m_field; }
    QListWidget *list() const { return m_list; }
    const search::Results &results() const { return m_results; }
    bool indexBuilt() const { return m_index != nullptr; }

    // Opens the current hit, as Enter does.
    void activateCurrent();

  signals:
    void hitActivated(const search::Jump &jump);
    void closeRequested();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void runQuery();
    void showResults();
    void moveBy(int step);
    void activate(QListWidgetItem *item);

    IndexFactory m_makeIndex;
    std::unique_ptr<search::SearchIndex> m_index;
    search::Results m_results;
    std::vector<search::Jump> m_jumps; // by row

    QLineEdit *m_field = nullptr;
    QLabel *m_count = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_notices = nullptr;
};
