#pragma once
// TPrtDlg: the print dialog. It proposes the symbol's size in millimetres at about ten printer
// dots a source pixel, and prints the current symbol stretched to the size the user gives:
// a linear bitmap resampled with Lanczos3 to the printer's dots, everything else stretched
// by the printer itself.
#include <cstdint>

#include "app/Services.h"
#include "components/Controls.h"
#include "components/WinSpinEdit.h"

namespace zerbo::app {

class TZerboCode;

// The largest print: a metre a side, and a resampled bitmap of at most this many dots.
inline constexpr int32_t kMaxPrintMillimetres = 1000;
inline constexpr int64_t kMaxPrintDots = 64 * 1024 * 1024;

class TPrtDlg : public TForm {
public:
    TPrtDlg(TZerboCode& main, const TZerboServices& services);

    TLabel Label1{u"Label1"};
    TWinSpinEdit PrX{u"PrX"};
    TLabel Label3{u"Label3"};
    TLabel Label2{u"Label2"};
    TWinSpinEdit PrY{u"PrY"};
    TLabel Label4{u"Label4"};
    TButton Button1{u"Button1"};
    TButton Button2{u"Button2"};

    // Print size in printer dots, printer dots per inch, size of the source in pixels.
    int32_t px = 0, py = 0, logx = 0, logy = 0, bx = 0, by = 0;

    void FormShow(TObject* Sender);
    void Button1Click(TObject* Sender);

private:
    void print();

    TZerboCode& main_;
    TZerboServices services_;
};

} // namespace zerbo::app
