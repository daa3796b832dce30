#pragma once
// What ShowResults may change in the main window: the texts of the output boxes
// and of txtPoutmax, and the font size of the turn-off loss box. Writing
// txtPoutmax runs its change handler at once, before writeBox returns. A written
// box shows its text from the start, so a long number shows its leading digits.

#include <QString>

namespace orvand {

enum class OutputBox {
    OutRdsonTj,     // txtOutRdsonTj
    OutRdson,       // txtOutRdson
    OutTjc,         // txtOutTjc
    OutD,           // txtOutD
    OutDmax,        // txtOutDmax
    OutPout,        // txtOutPout
    OutPon,         // txtOutPon
    OutPoff,        // txtOutPoff
    OutPcond,       // txtOutPcond
    OutPtotal,      // txtOutPtotal
    OutILpk,        // txtOutILpk
    OutIHarriermax, // txtOutIHarriermax
    Outtr,          // txtouttr
    OutLpri,        // txtoutLpri
    Poutmax,        // txtPoutmax, an input box
    OutCext,        // txtoutCext
    OutCoss,        // txtoutCoss
};

class OutputSectionPort {
  public:
    virtual ~OutputSectionPort() = default;
    virtual void writeBox(OutputBox box, const QString& text) = 0;
    virtual void setPoffFontSize(int points) = 0;
};

} // namespace orvand
