#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "qtgui/qt_translation.h"

namespace temura {
namespace {

QString shown(const QAbstractButton* b) {
    return b->text().remove(QLatin1Char('&'));
}

// Qt's own buttons follow each switch of the language, both ways.
TEST(QtTranslation, StandardButtonsSpeakTheClocksLanguage) {
    QtTranslation texts;
    const struct {
        bool english;
        const char* yes;
        const char* no;
    } steps[] = {{false, "Tak", "Nie"}, {true, "Yes", "No"}, {false, "Tak", "Nie"}};
    for (const auto& s : steps) {
        texts.setEnglish(s.english);
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(shown(box.button(QMessageBox::Yes)).toStdString(), s.yes);
        EXPECT_EQ(shown(box.button(QMessageBox::No)).toStdString(), s.no);
    }
}

}  // namespace
}  // namespace temura
