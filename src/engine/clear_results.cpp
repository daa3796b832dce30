#include "design_record.h"

namespace orvand {

void ClearResults(DesignRecord& record) {
    record.RdsonTj = 0.0;
    record.dTmax = 0.0;
    record.Rthtotal = 0.0;
    record.Pout = 0.0;
    record.ILpk = 0.0;
    record.Pon = 0.0;
    record.Poff = 0.0;
    record.Pcond = 0.0;
    record.Ptotal = 0.0;
    record.Tjc = 0.0;
    record.D = 0.0;
}

} // namespace orvand
