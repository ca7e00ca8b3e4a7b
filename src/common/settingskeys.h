#pragma once

// The names in the settings store: the application, its sections and their keys, with the
// default each key reads as when it is absent. Key names match without regard to case.
namespace common::settings {

struct Key
{
    const char* name;
    const char* defaultValue;
};

inline constexpr char App[] = "Dizur";

// Window placement, options, record-list order and import state.
inline constexpr char Startup[] = "Startup";

namespace startup {
// Twips; FormLeft/FormTop 100000 = centred on the screen.
inline constexpr Key FormWidth{"FormWidth", "9600"};
inline constexpr Key FormHeight{"FormHeight", "6735"};
inline constexpr Key FormLeft{"FormLeft", "100000"};
inline constexpr Key FormTop{"FormTop", "100000"};
// 0 normal, 1 minimised, 2 maximised.
inline constexpr Key FormState{"FormState", "2"};
inline constexpr Key InPort{"InPort", "0"};
// Print offsets in millimetres.
inline constexpr Key UserX{"UserX", "0"};
inline constexpr Key UserY{"UserY", "0"};
inline constexpr Key PaperType{"PaperType", "False"};
inline constexpr Key PrinterCopies{"PrinterCopies", "1"};
inline constexpr Key ZoomType{"ZoomType", "True"};
inline constexpr Key PageHead{"PageHead", "False"};
inline constexpr Key DataSort{"DataSort", "0"};
} // namespace startup

// The doctor defaults: the institution details of the last letter saved.
inline constexpr char Data[] = "Data";

namespace data {
inline constexpr Key DoctorName{"DoctorName", ""};
inline constexpr Key HospitalName{"HospitalName", ""};
inline constexpr Key Yubin1{"Yubin1", ""};
inline constexpr Key Yubin2{"Yubin2", ""};
inline constexpr Key Adress{"Adress", ""};
inline constexpr Key TEL1{"TEL1", ""};
inline constexpr Key TEL2{"TEL2", ""};
inline constexpr Key TEL3{"TEL3", ""};
inline constexpr Key FAX1{"FAX1", ""};
inline constexpr Key FAX2{"FAX2", ""};
inline constexpr Key FAX3{"FAX3", ""};
} // namespace data

} // namespace common::settings
