// The output section as one run leaves it: order of the writes, patterns, the
// font of the turn-off loss box, Poutmax written back and the CCM note.
#include "design_cases.h"
#include "locale_scope.h"
#include "qstring_printer.h"
#include "scripted_toolkit.h"
#include "show_results.h"

#include <gtest/gtest.h>
#include <vector>

using namespace orvand;
using namespace orvand::test;

namespace {

using Kind = ShownBox::Kind;

const ShownBox kCcmNote{.text = "Continuous Conduction Mode Operation", .title = "Note"};

// The section after ShowResults, the scripted toolkit standing in for both the
// window's output boxes and its message boxes.
ScriptedToolkit Shown(const DesignRecord& record) {
    ScriptedToolkit section;
    ShowResults(record, section, section);
    return section;
}

QString Written(const ScriptedToolkit& section, OutputBox box) {
    const int at = section.indexOf(box);
    return at < 0 ? QStringLiteral("(not written)") : section.shown()[at].text;
}

TEST(ShowResults, WritesTheSeventeenBoxesInOrderWithTheirPatterns) {
    const std::vector<std::pair<OutputBox, const char*>> expected = {
        {OutputBox::OutRdsonTj, "6.7"}, {OutputBox::OutRdson, "3.0"},
        {OutputBox::OutTjc, "75.1"},    {OutputBox::OutD, "50"},
        {OutputBox::OutDmax, "50"},     {OutputBox::OutPout, "16.6"},
        {OutputBox::OutPon, "0.013"},   {OutputBox::OutPoff, "0.06"},
        {OutputBox::OutPcond, "0.77"},  {OutputBox::OutPtotal, "0.83"},
        {OutputBox::OutILpk, "0.83"},   {OutputBox::OutIHarriermax, "3.13"},
        {OutputBox::Outtr, "20.2"},     {OutputBox::OutLpri, "602"},
        {OutputBox::Poutmax, "16.6"},   {OutputBox::OutCext, "18"},
        {OutputBox::OutCoss, "7"},
    };
    for (const QLocale& separator : {PointLocale(), CommaLocale()}) {
        LocaleScope locale(separator);
        const DesignRecord record = Design().caseAResults();
        const ScriptedToolkit section = Shown(record);
        std::vector<std::pair<OutputBox, QString>> written, wanted;
        for (const ShownBox& write : section.writes())
            written.emplace_back(write.box, write.text);
        for (const auto& [box, text] : expected)
            wanted.emplace_back(box,
                                QString::fromLatin1(text).replace(u'.', separator.decimalPoint()));
        EXPECT_EQ(written, wanted);
        // D equal to Dmax: no note.
        EXPECT_TRUE(section.messages().empty());
        // The record is shown, not rounded.
        EXPECT_EQ(record.Pon, 0.012542);
    }
}

TEST(ShowResults, ScalesAndRoundsTheDocumentedExamples) {
    LocaleScope locale(PointLocale());
    DesignRecord record;
    record.D = 0.497;
    record.Dmax = 0.5;
    record.Lpri = 602.2e-6;
    record.Pon = 0.25;
    record.Cext = 17.7;
    const ScriptedToolkit section = Shown(record);
    EXPECT_EQ(Written(section, OutputBox::OutD), "50");
    EXPECT_EQ(Written(section, OutputBox::OutLpri), "602");
    EXPECT_EQ(Written(section, OutputBox::OutPon), "0.250");
    EXPECT_EQ(Written(section, OutputBox::OutCext), "18");
}

// A later run with a device of another generation goes back to 10 points.
TEST(ShowResults, TurnOffLossBoxSetsItsFontBeforeItsText) {
    LocaleScope locale(PointLocale());
    for (const auto& [n3, points, text] :
         {std::tuple{true, 8, "Not Considered"}, std::tuple{false, 10, "0.06"}}) {
        SCOPED_TRACE(text);
        const ScriptedToolkit section =
            Shown(Design().caseAResults().set(&DesignRecord::HarrierN3, n3));
        const int poff = section.indexOf(OutputBox::OutPoff);
        ASSERT_GT(poff, 0);
        EXPECT_EQ(section.shown()[poff - 1].kind, Kind::Font);
        EXPECT_EQ(section.shown()[poff - 1].points, points);
        EXPECT_EQ(section.shown()[poff].text, QLatin1String(text));
    }
}

// D and Dmax each in their own box, whichever is larger.
TEST(ShowResults, NoteOnlyWhenDLiesAboveDmaxAndAfterEveryBox) {
    LocaleScope locale(PointLocale());
    for (const auto& [d, shownD] : {std::pair{0.49, "49"}, {0.5, "50"}, {0.66195, "66"}}) {
        SCOPED_TRACE(d);
        const ScriptedToolkit section =
            Shown(Design().caseAResults().set(&DesignRecord::Dmax, 0.5).set(&DesignRecord::D, d));
        EXPECT_EQ(Written(section, OutputBox::OutD), QLatin1String(shownD));
        EXPECT_EQ(Written(section, OutputBox::OutDmax), "50");
        EXPECT_EQ(section.messages(), d > 0.5 ? std::vector{kCcmNote} : std::vector<ShownBox>());
        EXPECT_EQ(section.shown().back().kind, d > 0.5 ? Kind::Message : Kind::Write);
        EXPECT_EQ(section.writes().size(), 17u);
    }
}

TEST(ShowResults, PoutmaxWrittenAsZeroComplainsBeforeCextAndCoss) {
    LocaleScope locale(PointLocale());
    DesignRecord record = Design().caseAResults();
    record.Poutmax = 0.01; // one sweep step: shows as 0.0
    record.D = 0.6;        // and a note, which must come after the complaint
    ScriptedToolkit section;
    const ShownBox complaint{.text = "Please check your value of the maximum Pout",
                             .title = "Syntax Error"};
    // Stands in for the change handler of txtPoutmax: reads the text back and
    // complains, inside the write, when it is not above zero.
    section.watch([&](const ShownBox& shown) {
        if (shown.kind != Kind::Write || shown.box != OutputBox::Poutmax)
            return;
        record.Poutmax = shown.text.toDouble();
        if (!(record.Poutmax > 0.0))
            section.messageBox(complaint.text, complaint.title, complaint.icon);
    });
    ShowResults(record, section, section);

    const int poutmax = section.indexOf(OutputBox::Poutmax);
    ASSERT_GE(poutmax, 0);
    EXPECT_EQ(section.shown()[poutmax].text, "0.0");
    ASSERT_GT(section.shown().size(), std::size_t(poutmax + 1));
    EXPECT_EQ(section.shown()[poutmax + 1], complaint);
    EXPECT_GT(section.indexOf(OutputBox::OutCext), poutmax + 1);
    EXPECT_GT(section.indexOf(OutputBox::OutCoss), poutmax + 1);
    EXPECT_EQ(section.messages(), (std::vector{complaint, kCcmNote}));
    EXPECT_EQ(record.Poutmax, 0.0);
}

} // namespace
