#include "models/ReadingsTableModel.h"

#include "core/Session.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QColor>

#include <cmath>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

void snap(Session& s, qint32 cs, bool stoodStill = false, bool prune = false) {
    s.appendReading(cs, stoodStill, QStringLiteral("00"), prune, QStringLiteral("00:00:00.00"));
    s.refreshReadings();
}

QColor colour(const QVariant& brush) {
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

// Rows follow every change of the session (snaps, prunes, clears, loads) under the model tester,
// which fails the test on any broken model contract.
TEST(ReadingsTableModel, RowsFollowTheSessionUnderTheModelTester) {
    Session session;
    ReadingsTableModel model(session);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (qint32 cs : {100, 200, 300, 400})
        snap(session, cs);
    EXPECT_EQ(model.rowCount(), 4);
    snap(session, 200, false, true); // replaces 200, 300 and 400
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("100.00"));
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("50.00"));
    session.clearReportForReset();
    EXPECT_EQ(model.rowCount(), 0);
    session.addLoadedReading("7", "S00:00:01.00", "12.5", "c", "00", "100");
    session.addLoadedReading("8", "00:00:02.00", "", "", "00", "200");
    session.finishLoading();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("7"));
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("12.5"));
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("Comment"));
}

// What a cell's colour says is also in words, and its text stays readable on the colour.
TEST(ReadingsTableModel, ColouredCellsSayTheirStateAndKeepTheirTextReadable) {
    Session session;
    ReadingsTableModel model(session);
    snap(session, 100);
    snap(session, 200, true);
    session.exclude(1);

    // Record 1: an excluded running reading; only its time is red.
    EXPECT_EQ(colour(model.index(0, 1).data(Qt::BackgroundRole)), QColor(255, 0, 0));
    EXPECT_FALSE(model.index(0, 2).data(Qt::BackgroundRole).isValid());
    EXPECT_TRUE(model.index(0, 1)
                    .data(Qt::AccessibleDescriptionRole)
                    .toString()
                    .contains(QStringLiteral("excluded")));
    // Record 2: taken at a standing clock; yellow from the time to the comment.
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(colour(model.index(1, c).data(Qt::BackgroundRole)), QColor(255, 255, 0)) << c;
    EXPECT_TRUE(model.index(1, 0)
                    .data(Qt::AccessibleDescriptionRole)
                    .toString()
                    .contains(QStringLiteral("stopped")));

    for (const QModelIndex& i : {model.index(0, 1), model.index(1, 2)}) {
        const QColor text = colour(i.data(Qt::ForegroundRole));
        ASSERT_TRUE(text.isValid());
        EXPECT_GE(contrast(text, colour(i.data(Qt::BackgroundRole))), 4.5);
    }
    // Including it again gives the time its yellow back only where the reading stood still.
    session.include(1);
    EXPECT_FALSE(model.index(0, 1).data(Qt::BackgroundRole).isValid());
    session.exclude(2);
    session.include(2);
    EXPECT_EQ(colour(model.index(1, 1).data(Qt::BackgroundRole)), QColor(255, 255, 0));
}
