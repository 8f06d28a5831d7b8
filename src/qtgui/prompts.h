#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>

class QWidget;

namespace temura {

enum class PromptIcon { Information, Warning, Question };

// Message boxes and file dialogs behind one door, so tests can give the next answer.
class Prompts {
  public:
    virtual ~Prompts() = default;
    // A Yes/No question with the question icon; true only for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // A message with an OK button.
    virtual void tell(QWidget* parent, const QString& title, const QString& text,
                      PromptIcon icon) = 0;
    // A one-line text box with OK and Cancel, opened on `initial`; empty when the user cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& initial) = 0;
    // File dialogs, started in `folder`, or on a file when it names one; an empty result when
    // the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // The colour dialog, opened on `initial`; `custom` fills its first five custom colours at the
    // first opening only, later openings keep what the user put there. Empty when the user
    // cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial,
                                               const std::array<QColor, 5>& custom) = 0;
};

// Marks a file dialog open for as long as it lives, however the dialog ends: the clock must not
// climb over it meanwhile.
class FileDialogFlag {
  public:
    explicit FileDialogFlag(bool& open) : m_open(open) { m_open = true; }
    ~FileDialogFlag() { m_open = false; }
    FileDialogFlag(const FileDialogFlag&) = delete;
    FileDialogFlag& operator=(const FileDialogFlag&) = delete;

  private:
    bool& m_open;
};

// The real boxes and dialogs.
class QtPrompts : public Prompts {
  public:
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void tell(QWidget* parent, const QString& title, const QString& text, PromptIcon icon) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial,
                                       const std::array<QColor, 5>& custom) override;

  private:
    bool m_customColoursSet = false;
};

// "Temura files (*.TEMURA)|*.temura" as a Qt filter: "Temura files (*.temura)".
QString qtFileFilter(const QString& windowsFilter);

}  // namespace temura
