// Zerbo.exe as an automation server: its type library, a VBScript client under the platform's
// script host, an early-bound client through the vtable, and clients that send what they
// should not. Files and clipboard bitmaps go to the folder zbar_files.sh decodes.
#include <windows.h>
#include <psapi.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "UserSettings.h"
#include "Zerbo_h.h"
#include "driver.h"
#include "files.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
std::wstring gScript;
ZbarList gZbar;

// The running Zerbo of a COM start, when there is one.
HWND zerboWindow() { return FindWindowW(L"TZerboCode", L"Zerbo"); }
bool zerboGone() {
    return waitFor([] { return zerboWindow() == nullptr; }, 30000);
}

std::wstring bstr(BSTR s) {
    std::wstring t = s ? std::wstring(s, SysStringLen(s)) : std::wstring();
    SysFreeString(s);
    return t;
}

class AutomationTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(Process(L"\"" + gZerboExe + L"\" /REGSERVER").wait(30000), 0u);
    }
    UserSettings appData;
};

TEST(TypeLibrary, EveryMemberHasItsNumberKindTypeAndNames) {
    ITypeLib* lib = nullptr;
    ASSERT_EQ(LoadTypeLibEx(gZerboExe.c_str(), REGKIND_NONE, &lib), S_OK);
    TLIBATTR* la = nullptr;
    lib->GetLibAttr(&la);
    EXPECT_EQ(la->guid, LIBID_Zerbo);
    EXPECT_EQ(la->wMajorVerNum, 1);
    EXPECT_EQ(la->wMinorVerNum, 1);
    EXPECT_EQ(la->lcid, 0x0409u);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr, doc = nullptr;
    lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    EXPECT_EQ(bstr(name), L"Zerbo");
    EXPECT_EQ(bstr(doc), L"Zerbo Library");

    ITypeInfo* iauto = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_IAuto, &iauto), S_OK);
    TYPEATTR* ta = nullptr;
    iauto->GetTypeAttr(&ta);
    EXPECT_EQ(ta->typekind, TKIND_DISPATCH) << "a dual interface shows as its dispatch side";
    EXPECT_EQ(ta->wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE),
              TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(ta->wMajorVerNum, 1);
    EXPECT_EQ(ta->wMinorVerNum, 1);
    iauto->ReleaseTypeAttr(ta);

    // The vtable side, members in their order after IUnknown and IDispatch.
    HREFTYPE ref = 0;
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(iauto->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(iauto->GetRefTypeInfo(ref, &vtable), S_OK);
    TYPEATTR* vt = nullptr;
    vtable->GetTypeAttr(&vt);
    EXPECT_TRUE(vt->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) << "its vtable side is OLE-automation";
    vtable->ReleaseTypeAttr(vt);
    struct Member {
        MEMBERID id;
        INVOKEKIND kind;
        VARTYPE type;                     // of the value: retval, put parameter or first parameter
        std::vector<std::wstring> names;  // the member's and its parameters' (gets and methods)
    };
    struct Property {
        MEMBERID id;
        const wchar_t* name;
        VARTYPE type;
    };
    const Property properties[] = {
        {1, L"Code", VT_BSTR},      {2, L"CodeType", VT_I4},     {3, L"BarScale", VT_I4},    {4, L"BoxDraw", VT_I4},
        {5, L"QRVersion", VT_I4},   {6, L"QRErrLevel", VT_I4},   {7, L"AddCodeChar", VT_I4}, {8, L"AddComment", VT_I4},
        {9, L"FontName", VT_BSTR},  {10, L"Comment", VT_BSTR},   {11, L"CommentPos", VT_I4}, {12, L"CommentAlign", VT_I4},
        {13, L"Height", VT_I4},     {14, L"HMargin", VT_I4},     {15, L"VMargin", VT_I4},    {16, L"CopyType", VT_I4},
        {17, L"Visible", VT_I4},    {20, L"FontSize", VT_I4},    {22, L"BarColor", VT_I4},   {23, L"BackColor", VT_I4},
        {201, L"SpecialCode", VT_I4}, {202, L"CheckDigit", VT_I4}, {203, L"StartChar", VT_BSTR},
        {204, L"StopChar", VT_BSTR}, {205, L"CHandle", VT_I4},
    };
    std::vector<Member> expected;
    for (const Property& p : properties) {
        if (p.id == 20) {
            expected.push_back({18, INVOKE_FUNC, VT_I4, {L"Show", L"Mode"}});
            expected.push_back({19, INVOKE_FUNC, VT_I4, {L"Execute", L"Result"}});
        }
        if (p.id == 22) expected.push_back({21, INVOKE_FUNC, VT_BSTR, {L"SaveFile", L"FileName", L"FileNam"}});
        expected.push_back({p.id, INVOKE_PROPERTYGET, p.type, {p.name, p.id > 200 ? L"Value" : p.name}});
        expected.push_back({p.id, INVOKE_PROPERTYPUT, p.type, {p.name}});
    }
    TYPEATTR* va = nullptr;
    vtable->GetTypeAttr(&va);
    ASSERT_EQ(va->cFuncs, expected.size());
    vtable->ReleaseTypeAttr(va);
    for (UINT i = 0; i < expected.size(); ++i) {
        const Member& m = expected[i];
        SCOPED_TRACE(std::string(m.names[0].begin(), m.names[0].end()) + " #" + std::to_string(i));
        FUNCDESC* f = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, m.id);
        EXPECT_EQ(f->invkind, m.kind);
        EXPECT_EQ(f->oVft, static_cast<SHORT>((7 + i) * sizeof(void*))) << "its vtable slot";
        EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
        ASSERT_GE(f->cParams, 1);
        const TYPEDESC& t = f->lprgelemdescParam[0].tdesc;
        EXPECT_EQ(t.vt == VT_PTR ? t.lptdesc->vt : t.vt, m.type);
        vtable->ReleaseFuncDesc(f);
        // A get and its put share their number; the names are the get's, and a put's
        // parameter has none.
        if (m.kind == INVOKE_PROPERTYPUT) continue;
        BSTR names[4] = {};
        UINT count = 0;
        vtable->GetNames(m.id, names, 4, &count);
        std::vector<std::wstring> got;
        for (UINT n = 0; n < count; ++n) got.push_back(bstr(names[n]));
        EXPECT_EQ(got, m.names);
    }
    vtable->Release();
    iauto->Release();

    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_Auto, &coclass), S_OK);
    TYPEATTR* ca = nullptr;
    coclass->GetTypeAttr(&ca);
    EXPECT_EQ(ca->typekind, TKIND_COCLASS);
    EXPECT_TRUE(ca->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(ca->wMajorVerNum, 1);
    EXPECT_EQ(ca->wMinorVerNum, 0);
    coclass->ReleaseTypeAttr(ca);
    BSTR className = nullptr, help = nullptr;
    coclass->GetDocumentation(-1, &className, &help, nullptr, nullptr);
    EXPECT_EQ(bstr(className), L"Auto");
    EXPECT_EQ(bstr(help), L"AutoObject (\?\?\?\?\?\?)");
    int flags = 0;
    coclass->GetImplTypeFlags(0, &flags);
    EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
    coclass->Release();
    lib->Release();
}

TEST_F(AutomationTest, AVBScriptStartsZerboDrivesItAndItsEndEndsZerboEvenInTheTray) {
    for (const wchar_t* options : {L"", L"TaskTary=1\r\n"}) {
        ASSERT_EQ(zerboWindow(), nullptr);
        emptyClipboard();
        appData.writeIni(std::wstring(L"[Options]\r\nAutoCopy=0\r\nCodeType=1\r\n") + options);
        TempFolder temp;
        const std::wstring results = temp.file(L"results.txt");
        const std::wstring saveError = gZbar.file(L"missing\\A.BMP") + L" に書き込めません";
        Process script(L"cscript.exe //nologo \"" + gScript + L"\" \"" + gZbar.folder() + L"\" \"" + results +
                       L"\" \"" + saveError + L"\"");
        EXPECT_EQ(script.wait(120000), 0u);
        const std::string bytes = ReadFileBytes(results);
        const std::wstring said = bytes.size() < 2 ? L"(the script stopped early)"
                                                   : std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                                                                  (bytes.size() - 2) / 2);
        EXPECT_EQ(said, L"ok") << "failed checks: " << std::string(said.begin(), said.end());
        EXPECT_TRUE(zerboGone()) << "the last release of a COM start ends Zerbo";
        const std::wstring ini = appData.readIni();
        EXPECT_TRUE(contains(ini, L"AutoCopy=0")) << "as it was before Execute";
        EXPECT_TRUE(contains(ini, L"Height=150") || contains(ini, L"BarHeight=150"));
    }
    gZbar.expect(L"VBS.BMP", "4901234567894");
    ASSERT_TRUE(saveClipboardBitmap(gZbar.file(L"VBS-CLIPBOARD.BMP")));
    gZbar.expect(L"VBS-CLIPBOARD.BMP", "4901234567894");
}

// IDispatch::Invoke of one member with the arguments given.
HRESULT invoke(IDispatch* d, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result = nullptr,
               DISPID* named = nullptr, UINT namedCount = 0) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{args.data(), flags == DISPATCH_PROPERTYPUT ? &put : named, static_cast<UINT>(args.size()),
                      flags == DISPATCH_PROPERTYPUT ? 1u : namedCount};
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr = d->Invoke(id, IID_NULL, 0, flags, &params, result, &exception, &argError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

VARIANT intVariant(LONG v) {
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    return x;
}

TEST_F(AutomationTest, AnEarlyBoundClientThroughTheVtableAndOddCallsThroughIDispatch) {
    ASSERT_EQ(zerboWindow(), nullptr);
    appData.writeIni(L"[Options]\r\nCodeType=1\r\n");
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    {
        IAuto* a = nullptr;
        ASSERT_EQ(CoCreateInstance(CLSID_Auto, nullptr, CLSCTX_LOCAL_SERVER, IID_IAuto, reinterpret_cast<void**>(&a)),
                  S_OK);
        EXPECT_EQ(a->put_CodeType(10), S_OK);
        EXPECT_EQ(a->put_BarScale(1), S_OK);  // two pixels a module, for the reader
        BSTR code = SysAllocString(L"EARLY-BOUND");
        EXPECT_EQ(a->put_Code(code), S_OK);
        SysFreeString(code);
        LONG result = 1;
        EXPECT_EQ(a->Execute(&result), S_OK);
        EXPECT_EQ(result, 0);
        BSTR file = SysAllocString(gZbar.file(L"EARLY.BMP").c_str());
        EXPECT_EQ(a->SaveFile(file, &result), S_OK);
        EXPECT_EQ(result, 1);
        SysFreeString(file);
        gZbar.expect(L"EARLY.BMP", "EARLY-BOUND");

        // A member's error: E_UNEXPECTED through the vtable (Wine carries no error information
        // across processes), its text and source through IDispatch below.
        BSTR empty = SysAllocString(L"");
        EXPECT_EQ(a->put_StartChar(empty), E_UNEXPECTED);
        SysFreeString(empty);

        // A BSTR with a zero inside arrives whole.
        BSTR zero = SysAllocStringLen(L"A\0B", 3);
        EXPECT_EQ(a->put_Code(zero), S_OK);
        SysFreeString(zero);
        BSTR back = nullptr;
        EXPECT_EQ(a->get_Code(&back), S_OK);
        EXPECT_EQ(bstr(back), std::wstring(L"A\0B", 3));

        IDispatch* d = nullptr;
        ASSERT_EQ(a->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)), S_OK);
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"abc");
        EXPECT_EQ(invoke(d, 13, DISPATCH_PROPERTYPUT, {text}), DISP_E_TYPEMISMATCH) << "a string for Height";
        VariantClear(&text);
        VARIANT null;
        VariantInit(&null);
        V_VT(&null) = VT_NULL;
        EXPECT_NE(invoke(d, 13, DISPATCH_PROPERTYPUT, {null}), S_OK) << "null for Height";
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
        VARIANT arrayArg;
        VariantInit(&arrayArg);
        V_VT(&arrayArg) = VT_ARRAY | VT_I4;
        V_ARRAY(&arrayArg) = array;
        EXPECT_NE(invoke(d, 13, DISPATCH_PROPERTYPUT, {arrayArg}), S_OK) << "an array for Height";
        VariantClear(&arrayArg);
        EXPECT_EQ(invoke(d, 19, DISPATCH_METHOD, {intVariant(1), intVariant(2)}), DISP_E_BADPARAMCOUNT);
        DISPID namedId = 5;
        EXPECT_NE(invoke(d, 18, DISPATCH_METHOD, {intVariant(1)}, nullptr, &namedId, 1), S_OK) << "a named argument";
        EXPECT_EQ(invoke(d, 999, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
        {
            VARIANT file;
            VariantInit(&file);
            V_VT(&file) = VT_BSTR;
            V_BSTR(&file) = SysAllocString(gZbar.file(L"missing\\A.BMP").c_str());
            DISPPARAMS params{&file, nullptr, 1, 0};
            EXCEPINFO exception{};
            VARIANT result;
            VariantInit(&result);
            EXPECT_EQ(d->Invoke(21, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &exception, nullptr), DISP_E_EXCEPTION);
            EXPECT_EQ(bstr(exception.bstrSource), L"Zerbo.Auto");
            EXPECT_EQ(bstr(exception.bstrDescription), gZbar.file(L"missing\\A.BMP") + L" に書き込めません");
            EXPECT_EQ(exception.scode, E_UNEXPECTED);
            SysFreeString(exception.bstrHelpFile);
            VariantClear(&file);
        }
        // Texts of every length leave no memory behind in the server: the system's cache of
        // freed strings, which keeps a few of each size, is off there.
        const auto putComment = [&](UINT length) {
            const std::wstring text(length, L'X');
            BSTR comment = SysAllocStringLen(text.data(), length);
            EXPECT_EQ(a->put_Comment(comment), S_OK);
            SysFreeString(comment);
        };
        const auto serverBytes = [] {
            DWORD pid = 0;
            GetWindowThreadProcessId(zerboWindow(), &pid);
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
            PROCESS_MEMORY_COUNTERS memory{};
            memory.cb = sizeof memory;
            GetProcessMemoryInfo(process, &memory, sizeof memory);
            CloseHandle(process);
            return static_cast<long long>(memory.PagefileUsage);
        };
        putComment(32000);  // the controls grow to the longest text once
        const long long before = serverBytes();
        for (UINT i = 0; i < 400; ++i) putComment(500 + i * 79);
        EXPECT_LT(serverBytes() - before, 3ll << 20) << "bytes more after 400 texts of 0.5 to 32 K characters";
        putComment(0);

        VARIANT big;
        VariantInit(&big);
        V_VT(&big) = VT_BSTR;
        V_BSTR(&big) = SysAllocStringLen(nullptr, 1 << 20);
        EXPECT_EQ(invoke(d, 1, DISPATCH_PROPERTYPUT, {big}), DISP_E_EXCEPTION) << "a megabyte for Code";
        VariantClear(&big);
        VARIANT height;
        VariantInit(&height);
        EXPECT_EQ(invoke(d, 13, DISPATCH_PROPERTYGET, {}, &height), S_OK);
        EXPECT_EQ(V_VT(&height), VT_I4);
        d->Release();
        EXPECT_TRUE(answers(zerboWindow()));
        a->Release();
    }
    CoUninitialize();
    EXPECT_TRUE(zerboGone());
}

TEST_F(AutomationTest, UnregisteringRemovesEveryKey) {
    ASSERT_EQ(Process(L"\"" + gZerboExe + L"\" -UnRegServer").wait(30000), 0u);
    for (const wchar_t* key : {L"Zerbo.Auto", L"CLSID\\{BF19760E-20EF-472D-80E7-91B79450B669}",
                               L"TypeLib\\{EB0CEEAD-4F6B-436D-86AF-0B9C05BEE330}",
                               L"Interface\\{740985A0-3860-471E-95EE-F8D50C930497}"}) {
        HKEY h = nullptr;
        EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &h), ERROR_SUCCESS) << "still there: " << key;
        if (h) RegCloseKey(h);
    }
    ASSERT_EQ(Process(L"\"" + gZerboExe + L"\" /regserver").wait(30000), 0u);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: zerbo_automation_test PATH-TO-Zerbo.exe SCRIPT.vbs ZBAR-FOLDER\n");
        return 2;
    }
    gZerboExe = windowsPath(argv[1]);
    gScript = windowsPath(argv[2]);
    if (!gZbar.create(windowsPath(argv[3]))) return 2;
    return RUN_ALL_TESTS();
}
