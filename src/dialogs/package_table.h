#pragma once
// The choices of the package dialog, in the order in which its OK tests the
// options; the first selected one applies.

#include <array>
#include <string_view>

namespace orvand {

struct PackageChoice {
    std::u16string_view option;     // objectName of the option button
    bool defined;                   // false: the choice is refused as not yet defined
    double Rthja;                   // K/W
    std::u16string_view caption;    // written to the package button
    double PackageOnly;             // 1.0 package alone, 0.0 with a copper area
    std::u16string_view copperText; // CopperAreaText; empty: left as it is
};

inline constexpr std::array<PackageChoice, 19> kPackageTable{{
    {u"optNoCopperDIP8", true, 90, u"DIP8 no Hs", 1.0, u""},
    {u"opt3CopperDIP8", true, 64, u"DIP8 3cm²", 0.0, u" (3cm² Copper Area on PCB)"},
    {u"opt6CopperDIP8", true, 56, u"DIP8 6cm²", 0.0, u" (6cm² Copper Area on PCB)"},
    {u"optNoCopperDIP7", true, 96, u"DIP7 no Hs", 1.0, u""},
    {u"opt3cmCopperDIP7", true, 72, u"DIP7 3cm²", 0.0, u" (3cm² Copper Area on PCB)"},
    {u"opt6CopperDIP7", true, 65, u"DIP7 6cm²", 0.0, u" (6cm² Copper Area on PCB)"},
    {u"optNoCopperSO14", true, 112, u"DSO14 no HS", 1.0, u""},
    {u"opt3CopperSO14", true, 92, u"DSO14 3cm²", 0.0, u" (3cm² Copper Area on PCB)"},
    {u"opt6CopperSO14", true, 78, u"DSO14 6cm²", 0.0, u" (6cm² Copper Area on PCB)"},
    {u"optnoHSTO220", true, 62, u"TO220", 1.0, u""},
    {u"optnoHSDIP8", true, 90, u"DIP8", 1.0, u""},
    {u"optDIP7", true, 96, u"DIP7", 1.0, u""},
    {u"optnoHSDSO14", true, 112, u"DSO14", 1.0, u""},
    {u"optnoHSDSO16", true, 121, u"DSO16 no HS", 1.0, u""},
    {u"optPDSO16", true, 121, u"DSO16", 1.0, u""},
    {u"opt1HSDSO16", false, 0, u"", 0.0, u""},
    {u"opt3HSDSO16", false, 0, u"", 0.0, u""},
    {u"optRW27", true, 74, u"RW27", 1.0, u""},
    {u"optnoHSTO220ISO", true, 74, u"TO220 ISODRAIN", 1.0, u""},
}};

} // namespace orvand
