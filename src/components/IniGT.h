#pragma once
// TIniGT: the settings file with typed values. Compound values (lists, fonts, windows)
// spread over several keys made of the caller's key name and a fixed suffix.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/IniFile.h"
#include "components/Platform.h"

namespace zerbo {

struct TPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct TRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The record GetWindowPlacement and SetWindowPlacement exchange.
struct TWindowPlacement {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    TPoint ptMinPosition;
    TPoint ptMaxPosition;
    TRect rcNormalPosition;
};

// What the window operations need of a top-level window.
class IIniForm {
public:
    virtual ~IIniForm() = default;
    virtual TWindowPlacement GetPlacement() = 0;
    virtual void SetPlacement(const TWindowPlacement& placement) = 0;
    virtual int32_t Left() = 0;
    virtual void SetLeft(int32_t value) = 0;
    virtual int32_t Top() = 0;
    virtual void SetTop(int32_t value) = 0;
    virtual int32_t Width() = 0;
    virtual void SetWidth(int32_t value) = 0;
    virtual int32_t Height() = 0;
    virtual void SetHeight(int32_t value) = 0;
};

// Font style set: one bit per style.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// What the font operations need of a font.
class IIniFont {
public:
    virtual ~IIniFont() = default;
    virtual std::u16string Name() const = 0;
    virtual void SetName(const std::u16string& value) = 0;
    virtual int32_t Size() const = 0;  // points
    virtual void SetSize(int32_t value) = 0;
    virtual uint8_t Style() const = 0;  // TFontStyle bits
    virtual void SetStyle(uint8_t value) = 0;
    virtual int32_t Color() const = 0;
    virtual void SetColor(int32_t value) = 0;
    // A font as the platform creates it, with its default attributes.
    virtual std::unique_ptr<IIniFont> CreateFresh() const = 0;
    // Copies every attribute of the source, character set and pitch included.
    virtual void Assign(const IIniFont& source) = 0;
};

enum TIniGTDefaultDir { ddApplication, ddWindows, ddNone };
enum TIniGTFence { fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone };

class TIniGT {
public:
    explicit TIniGT(IComponentPlatform& platform);

    // True until the first assignment to Fence; consulted only at design time.
    bool Ver11Flg = true;

    TIniGTDefaultDir DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(TIniGTDefaultDir value);
    const std::u16string& FileName() const { return FFileName; }
    void SetFileName(const std::u16string& value);
    TIniGTFence Fence() const { return FFence; }
    void SetFence(TIniGTFence value);
    // The full path the store is bound to.
    const std::u16string& FullFileName() const { return FIni->FileName(); }
    TIniFile& Store() { return *FIni; }

    // Load completion outside a design environment: a component with no file name takes
    // the program's name with ".ini" (App.ini for APP.EXE).
    void Loaded();

    bool ReadBool(const std::u16string& section, const std::u16string& item, bool defaultValue);
    void WriteBool(const std::u16string& section, const std::u16string& item, bool value);
    int32_t ReadInt(const std::u16string& section, const std::u16string& item, int32_t defaultValue);
    void WriteInt(const std::u16string& section, const std::u16string& item, int32_t value);
    std::u16string ReadStr(const std::u16string& section, const std::u16string& item, const std::u16string& defaultValue);
    void WriteStr(const std::u16string& section, const std::u16string& item, const std::u16string& value);
    int32_t ReadColor(const std::u16string& section, const std::u16string& item, int32_t defaultValue);
    void WriteColor(const std::u16string& section, const std::u16string& item, int32_t value);
    int32_t ReadHex(const std::u16string& section, const std::u16string& item, int32_t defaultValue);
    void WriteHex(const std::u16string& section, const std::u16string& item, int32_t value);
    double ReadFloat(const std::u16string& section, const std::u16string& item, double defaultValue);
    void WriteFloat(const std::u16string& section, const std::u16string& item, double value);
    // Days since 30 December 1899, the time of day as the fraction.
    double ReadDateTime(const std::u16string& section, const std::u16string& item, double defaultValue);
    void WriteDateTime(const std::u16string& section, const std::u16string& item, double value);
    void ReadList(const std::u16string& section, const std::u16string& item, std::vector<std::u16string>& list);
    void WriteList(const std::u16string& section, const std::u16string& item, const std::vector<std::u16string>& value);
    void ReadFont(const std::u16string& section, const std::u16string& item, IIniFont& font);
    void WriteFont(const std::u16string& section, const std::u16string& item, const IIniFont& value);
    void ReadWin(const std::u16string& section, const std::u16string& item, IIniForm& form);
    void WriteWin(const std::u16string& section, const std::u16string& item, IIniForm& value);
    void ReadWinPos(const std::u16string& section, const std::u16string& item, IIniForm& form);
    void WriteWinPos(const std::u16string& section, const std::u16string& item, IIniForm& value);
    void ReadWinSize(const std::u16string& section, const std::u16string& item, IIniForm& form);
    void WriteWinSize(const std::u16string& section, const std::u16string& item, IIniForm& value);

    void ReadSection(const std::u16string& section, std::vector<std::u16string>& strings);
    void ReadSectionValues(const std::u16string& section, std::vector<std::u16string>& strings);
    void EraseSection(const std::u16string& section);
    // True when the key exists and its text is not empty.
    bool Check(const std::u16string& section, const std::u16string& item);

private:
    std::u16string wrap(const std::u16string& value) const;

    IComponentPlatform& platform_;
    std::unique_ptr<TIniFile> FIni;
    TIniGTDefaultDir FDefaultDir = ddApplication;
    std::u16string FFileName;
    TIniGTFence FFence = fnNone;
};

} // namespace zerbo
