// The output section as one run leaves it: order of the writes, patterns, the
// font of the turn-off loss box, Poutmax written back and the CCM note.
#include "locale_scope.h"
#include "show_results.h"

#include <gtest/gtest.h>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace orvand;
using test::CommaLocale;
using test::LocaleScope;
using test::PointLocale;

namespace {

// One event as the window would see it: a box written, the font size of the
// turn-off loss box set, or a message box shown.
struct Event {
    enum class Kind { Write, Font, Message } kind;
    OutputBox box = OutputBox::OutRdsonTj;
    QString text;  // box text or message text
    QString title; // message title
    int points = 0;
    MessageIcon icon = MessageIcon::Critical;
};

class Journal final : public OutputSectionPort, public Toolkit {
  public:
    // Stands in for the change handler of txtPoutmax: reads the text back and
    // complains when it is not above zero, inside the write.
    DesignRecord* record = nullptr;

    void writeBox(OutputBox box, const QString& text) override {
        events.push_back({Event::Kind::Write, box, text, {}, 0});
        if (box == OutputBox::Poutmax && record) {
            record->Poutmax = text.toDouble();
            if (!(record->Poutmax > 0.0))
                messageBox(QStringLiteral("Please check your value of the maximum Pout"),
                           QStringLiteral("Syntax Error"), MessageIcon::Critical);
        }
    }
    void setPoffFontSize(int points) override {
        events.push_back({Event::Kind::Font, OutputBox::OutPoff, {}, {}, points});
    }
    void messageBox(const QString& text, const QString& title, MessageIcon icon) override {
        events.push_back({Event::Kind::Message, OutputBox::OutRdsonTj, text, title, 0, icon});
    }
    QString inputBox(const QString&, const QString&) override {
        ADD_FAILURE() << "input box";
        return {};
    }
    std::optional<QString> saveDialog(const QString&, const QString&) override {
        ADD_FAILURE() << "save dialog";
        return std::nullopt;
    }
    void showModal(QDialog&) override { ADD_FAILURE() << "modal window"; }

    std::vector<Event> writes() const {
        std::vector<Event> out;
        for (const Event& e : events)
            if (e.kind == Event::Kind::Write)
                out.push_back(e);
        return out;
    }
    std::vector<Event> messages() const {
        std::vector<Event> out;
        for (const Event& e : events)
            if (e.kind == Event::Kind::Message)
                out.push_back(e);
        return out;
    }
    // Position of the first write of box, or -1.
    int indexOf(OutputBox box) const {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i].kind == Event::Kind::Write && events[i].box == box)
                return static_cast<int>(i);
        return -1;
    }

    std::vector<Event> events;
};

// The end of a case-A run: discrete switch, Ron25 3 ohm, Rthja 90 K/W.
DesignRecord CaseA() {
    DesignRecord r;
    r.RdsonTj = 6.6554;
    r.Ron25 = 3.0;
    r.Tjc = 75.054;
    r.D = 0.49948;
    r.Dmax = 0.49948;
    r.Pout = 16.6399999999998;
    r.Pon = 0.012542;
    r.Poff = 0.055948;
    r.Pcond = 0.76545;
    r.Ptotal = 0.83394;
    r.ILpk = 0.83114;
    r.Ipkd = 3.1311;
    r.tr = 20.173;
    r.Lpri = 602.21e-6;
    r.Poutmax = 16.6399999999998;
    r.Cext = 17.704;
    r.Coss = 7.2768;
    return r;
}

TEST(ShowResults, WritesTheSeventeenBoxesInOrderWithTheirPatterns) {
    LocaleScope locale(PointLocale());
    DesignRecord record = CaseA();
    Journal journal;
    ShowResults(record, journal, journal);

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
    const auto writes = journal.writes();
    ASSERT_EQ(writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(writes[i].box, expected[i].first) << "step " << i + 1;
        EXPECT_EQ(writes[i].text.toStdString(), expected[i].second) << "step " << i + 1;
    }
    // D equal to Dmax: no note.
    EXPECT_TRUE(journal.messages().empty());
    // The record is shown, not rounded.
    EXPECT_EQ(record.Pon, 0.012542);
}

TEST(ShowResults, ScalesAndRoundsTheDocumentedExamples) {
    LocaleScope locale(PointLocale());
    DesignRecord record;
    record.D = 0.497;
    record.Dmax = 0.5;
    record.Lpri = 602.2e-6;
    record.Pon = 0.25;
    record.Cext = 17.7;
    Journal journal;
    ShowResults(record, journal, journal);
    const auto& events = journal.events;
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutD)].text, "50");
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutLpri)].text, "602");
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutPon)].text, "0.250");
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutCext)].text, "18");
}

TEST(ShowResults, UsesTheLocaleDecimalSeparator) {
    LocaleScope locale(CommaLocale());
    DesignRecord record = CaseA();
    Journal journal;
    ShowResults(record, journal, journal);
    const auto& events = journal.events;
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutRdsonTj)].text, "6,7");
    EXPECT_EQ(events[journal.indexOf(OutputBox::OutPon)].text, "0,013");
    EXPECT_EQ(events[journal.indexOf(OutputBox::Poutmax)].text, "16,6");
}

TEST(ShowResults, TurnOffLossBoxSetsItsFontBeforeItsText) {
    LocaleScope locale(PointLocale());
    DesignRecord record = CaseA();
    record.HarrierN3 = true;
    record.tr = 0.0;
    record.Poff = 0.0;
    {
        Journal journal;
        ShowResults(record, journal, journal);
        const int poff = journal.indexOf(OutputBox::OutPoff);
        ASSERT_GT(poff, 0);
        EXPECT_EQ(journal.events[poff - 1].kind, Event::Kind::Font);
        EXPECT_EQ(journal.events[poff - 1].points, 8);
        EXPECT_EQ(journal.events[poff].text, "Not Considered");
    }
    // A later run with a device of another generation goes back to 10 points.
    record = CaseA();
    {
        Journal journal;
        ShowResults(record, journal, journal);
        const int poff = journal.indexOf(OutputBox::OutPoff);
        ASSERT_GT(poff, 0);
        EXPECT_EQ(journal.events[poff - 1].kind, Event::Kind::Font);
        EXPECT_EQ(journal.events[poff - 1].points, 10);
        EXPECT_EQ(journal.events[poff].text, "0.06");
    }
}

TEST(ShowResults, NoteOnlyWhenDLiesAboveDmaxAndAfterEveryBox) {
    LocaleScope locale(PointLocale());
    for (double d : {0.49, 0.5, 0.66195}) {
        DesignRecord record = CaseA();
        record.Dmax = 0.5;
        record.D = d;
        Journal journal;
        ShowResults(record, journal, journal);
        const auto messages = journal.messages();
        if (d > 0.5) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, "Continuous Conduction Mode Operation");
            EXPECT_EQ(messages[0].title, "Note");
            EXPECT_EQ(messages[0].icon, MessageIcon::Critical);
            EXPECT_EQ(journal.events.back().kind, Event::Kind::Message);
            EXPECT_EQ(journal.writes().size(), 17u);
        } else {
            EXPECT_TRUE(messages.empty()) << "D " << d;
        }
    }
}

TEST(ShowResults, PoutmaxWrittenAsZeroComplainsBeforeCextAndCoss) {
    LocaleScope locale(PointLocale());
    DesignRecord record = CaseA();
    record.Poutmax = 0.01; // one sweep step: shows as 0.0
    record.D = 0.6;        // and a note, which must come after the complaint
    Journal journal;
    journal.record = &record;
    ShowResults(record, journal, journal);

    const int poutmax = journal.indexOf(OutputBox::Poutmax);
    ASSERT_GE(poutmax, 0);
    EXPECT_EQ(journal.events[poutmax].text, "0.0");
    ASSERT_EQ(journal.events[poutmax + 1].kind, Event::Kind::Message);
    EXPECT_EQ(journal.events[poutmax + 1].text, "Please check your value of the maximum Pout");
    EXPECT_GT(journal.indexOf(OutputBox::OutCext), poutmax + 1);
    EXPECT_GT(journal.indexOf(OutputBox::OutCoss), poutmax + 1);
    ASSERT_EQ(journal.messages().size(), 2u);
    EXPECT_EQ(journal.messages()[1].text, "Continuous Conduction Mode Operation");
    EXPECT_EQ(record.Poutmax, 0.0);
}

} // namespace
