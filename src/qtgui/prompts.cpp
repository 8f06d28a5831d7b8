#include "qtgui/prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace temura {

bool QtPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompts::tell(QWidget* parent, const QString& title, const QString& text, PromptIcon icon) {
    QMessageBox box(icon == PromptIcon::Warning    ? QMessageBox::Warning
                    : icon == PromptIcon::Question ? QMessageBox::Question
                                                   : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtPrompts::askText(QWidget* parent, const QString& title,
                                          const QString& label, const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

namespace {

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder,
                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), folder, qtFileFilter(filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // The save dialog asks no overwrite question of its own: the caller decides.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // A start that names a file opens its folder with the name filled in.
    const QFileInfo start(folder);
    if (!folder.isEmpty() && !start.isDir()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtPrompts::openFileName(QWidget* parent, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, folder, filter, defaultSuffix);
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
    return runFileDialog(parent, QFileDialog::AcceptSave, folder, filter, defaultSuffix);
}

std::optional<QColor> QtPrompts::chooseColour(QWidget* parent, const QColor& initial,
                                              const std::array<QColor, 5>& custom) {
    // Qt keeps the custom colours for all its colour dialogs of the run; the first five slots
    // are ours to fill once, then they belong to the user.
    if (!m_customColoursSet) {
        for (std::size_t i = 0; i < custom.size(); ++i) {
            QColorDialog::setCustomColor(static_cast<int>(i), custom[i]);
        }
        m_customColoursSet = true;
    }
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

QString qtFileFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    if (parts.size() < 2) return windowsFilter;
    QString label = parts[0];
    const qsizetype open = label.indexOf(QLatin1Char('('));
    if (open >= 0) label = label.left(open).trimmed();
    return label + QStringLiteral(" (") + parts[1] + QLatin1Char(')');
}

}  // namespace temura
