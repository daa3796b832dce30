#pragma once

#include "design_record.h"
#include "output_section_port.h"
#include "toolkit.h"

namespace orvand {

// Writes one calculation's results into the output section, writes Poutmax back
// into txtPoutmax (its change handler runs inside), and shows the note
// "Continuous Conduction Mode Operation" when D lies above Dmax.
void ShowResults(const DesignRecord& record, OutputSectionPort& section, Toolkit& toolkit);

} // namespace orvand
