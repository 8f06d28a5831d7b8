#pragma once

#include <QMenu>
#include <functional>

namespace temura {

// The clock's menu: ordinary items, captioned section bands, and an exit item drawn silver on
// black with its shortcut set well apart.
class PopupMenu : public QMenu {
    Q_OBJECT

public:
    using QMenu::QMenu;

    QAction* addHeader(std::function<QString()> text, const QFont& font, const QColor& colour);
    void setExitAction(QAction* action) { m_exit = action; }
    QAction* exitAction() const { return m_exit; }
    // The exit item's text: its caption, eleven blanks, its shortcut.
    static QString exitText(const QAction* action);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* m_exit = nullptr;
};

}  // namespace temura
