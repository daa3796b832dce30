#pragma once
// The device catalogue of the Kestrel dialog, in the order in which its OK tests
// the options. Nothing else holds these values.

#include <array>
#include <string_view>

namespace orvand {

struct KestrelDevice {
    std::u16string_view option;   // objectName of the option button
    std::u16string_view caption;  // the option's caption
    std::u16string_view partName; // DeviceName, device button, first word of the package button
    std::u16string_view package;  // second part of the package button's caption
    double Ron25;                 // ohm
    double Rthja;                 // K/W, fixed by the package
    double fworkKHz;
    double Ipkd; // A
    bool HarrierN3;
    std::u16string_view pmaxText; // suggested maximum output power, W
};

inline constexpr std::array<KestrelDevice, 23> kKestrelCatalogue{{
    {u"optPX11", u"PX11", u"PX11", u"DIP8", 3.5, 90, 100, 0.6, false, u"12"},
    {u"optPX11S", u"PX11S", u"PX11S", u"SO14", 3.5, 112, 100, 0.6, false, u"12"},
    {u"optPX12", u"PX12", u"PX12", u"DIP8", 3.5, 90, 100, 1.2, false, u"20"},
    {u"optPX12S", u"PX12S", u"PX12S", u"SO14", 3.5, 112, 100, 1.2, false, u"16"},
    {u"optPX13", u"PX13", u"PX13", u"DIP8", 1.0, 90, 100, 2.2, false, u"34"},
    {u"optPX13S", u"PX13S", u"PX13S", u"SO14", 1.0, 112, 100, 2.2, false, u"28"},
    {u"optPX14", u"PX14", u"PX14", u"DIP8", 0.5, 90, 100, 2.2, false, u"45"},
    {u"optPX10", u"PX10", u"PX10", u"DIP8", 3.0, 90, 100, 2.5, false, u"21"},
    {u"optRV20", u"RV20", u"RV20", u"DIP8", 4.7, 90, 100, 1.6, true, u"10"},
    {u"optRV20D", u"RV20D", u"RV20D", u"DIP7", 4.7, 96, 100, 1.6, true, u"10"},
    {u"optRV21", u"RV21", u"RV21", u"DIP8", 3.0, 90, 100, 3.2, true, u"21"},
    {u"optRW21", u"RW21", u"RW21", u"DIP8", 3.0, 90, 67, 3.2, true, u"21"},
    {u"optRV22", u"RV22", u"RV22", u"DIP8", 0.9, 90, 100, 9.0, true, u"34"},
    {u"optRW22", u"RW22", u"RW22", u"DIP8", 0.9, 90, 67, 9.0, true, u"34"},
    {u"optRV22S", u"RV22S", u"RV22S", u"SO16", 0.9, 121, 100, 9.0, true, u"22"},
    {u"optRV23", u"RV23", u"RV23", u"DIP8", 0.45, 90, 100, 14.6, true, u"50"},
    {u"optRW23", u"RW23", u"RW23", u"DIP8", 0.45, 90, 67, 14.6, true, u"50"},
    {u"optRV31", u"RV31", u"RV31", u"DIP8", 3.0, 90, 100, 3.2, true, u"21"},
    {u"optRV32", u"RV32", u"RV32", u"DIP8", 0.8, 90, 100, 9.0, true, u"37"},
    {u"optRV31D", u"RV31D", u"RV31D", u"DIP7", 3.0, 96, 100, 3.2, true, u"21"},
    {u"optRV32D", u"RV32D", u"RV32D", u"DIP7", 0.8, 96, 100, 9.0, true, u"37"},
    {u"optRW27", u"RW27T", u"RW27", u"TO220 ISO", 0.5, 74, 67, 21.0, true, u"80"},
    {u"optRV27", u"RV27T", u"RV27", u"TO220 ISO", 0.5, 74, 100, 21.0, true, u"80"},
}};

} // namespace orvand
