// The layout's text widths are remembered per line, and never outlive a change of text or font.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "qtgui/text_width_memo.h"

namespace temura {
namespace {

TEST(TextWidthMemo, MeasuresAgainOnlyWhenTextOrFontChanges) {
    QFont plain(QStringLiteral("DejaVu Sans"));
    plain.setPointSize(12);
    QFont big = plain;
    big.setPointSize(24);
    QFont bold = plain;
    bold.setBold(true);

    TextWidthMemo memo;
    const struct {
        const QFont& font;
        QString text;
        int measurements;  // after this step
    } steps[] = {
        {plain, QStringLiteral("12:34:56"), 1},
        {plain, QStringLiteral("12:34:56"), 1},
        {plain, QStringLiteral("Wtorek, 8 grudnia 2026"), 2},
        {big, QStringLiteral("Wtorek, 8 grudnia 2026"), 3},
        {bold, QStringLiteral("Wtorek, 8 grudnia 2026"), 4},
        {bold, QStringLiteral("Wtorek, 8 grudnia 2026"), 4},
        {plain, QString(), 5},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.text.toStdString());
        EXPECT_EQ(memo.width(s.font, s.text), QFontMetrics(s.font).horizontalAdvance(s.text));
        EXPECT_EQ(memo.measurements(), s.measurements);
    }
}

}  // namespace
}  // namespace temura
