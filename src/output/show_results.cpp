#include "show_results.h"

#include "number_text.h"

namespace orvand {

namespace {

constexpr int kPoffValuePoints = 10;
constexpr int kPoffNotePoints = 8; // the long text only fits the box at 8 points

} // namespace

void ShowResults(const DesignRecord& record, OutputSectionPort& section, Toolkit& toolkit) {
    section.writeBox(OutputBox::OutRdsonTj, FormatPattern(record.RdsonTj, u"0.0"));
    section.writeBox(OutputBox::OutRdson, FormatPattern(record.Ron25, u"0.0"));
    section.writeBox(OutputBox::OutTjc, FormatPattern(record.Tjc, u"0.0"));
    section.writeBox(OutputBox::OutD, FormatPattern(record.D * 100.0, u"0"));
    section.writeBox(OutputBox::OutDmax, FormatPattern(record.Dmax * 100.0, u"0"));
    section.writeBox(OutputBox::OutPout, FormatPattern(record.Pout, u"0.0"));
    section.writeBox(OutputBox::OutPon, FormatPattern(record.Pon, u"0.000"));

    if (record.HarrierN3) {
        section.setPoffFontSize(kPoffNotePoints);
        section.writeBox(OutputBox::OutPoff, QStringLiteral("Not Considered"));
    } else {
        section.setPoffFontSize(kPoffValuePoints);
        section.writeBox(OutputBox::OutPoff, FormatPattern(record.Poff, u"0.00"));
    }

    section.writeBox(OutputBox::OutPcond, FormatPattern(record.Pcond, u"0.00"));
    section.writeBox(OutputBox::OutPtotal, FormatPattern(record.Ptotal, u"0.00"));
    section.writeBox(OutputBox::OutILpk, FormatPattern(record.ILpk, u"0.00"));
    section.writeBox(OutputBox::OutIHarriermax, FormatPattern(record.Ipkd, u"0.00"));
    section.writeBox(OutputBox::Outtr, FormatPattern(record.tr, u"0.0"));
    section.writeBox(OutputBox::OutLpri, FormatPattern(record.Lpri * 1e6, u"0"));

    // The change handler of txtPoutmax runs inside this write and may change
    // record.Poutmax; nothing below reads it.
    section.writeBox(OutputBox::Poutmax, FormatPattern(record.Poutmax, u"0.0"));

    section.writeBox(OutputBox::OutCext, FormatPattern(record.Cext, u"0"));
    section.writeBox(OutputBox::OutCoss, FormatPattern(record.Coss, u"0"));

    if (record.D > record.Dmax) {
        toolkit.messageBox(QStringLiteral("Continuous Conduction Mode Operation"),
                           QStringLiteral("Note"), MessageIcon::Critical);
    }
}

} // namespace orvand
