// Strings, number formatting and the framework's exception classes.
//
// The framework reports failures by throwing one of these classes; the code
// built on top of it (the tracker, the designer, the demo) catches them at its
// own boundaries.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vcl {

// 8-bit text. Comparison is byte-wise and case-sensitive; empty equals empty.
using AnsiString = std::string;

// Decimal text of an integer, without leading zeros.
AnsiString IntToStr(int64_t value);

// Equality ignoring ASCII letter case (names of properties, components, classes
// in form files).
bool SameText(std::string_view a, std::string_view b);
AnsiString UpperCase(std::string_view s);  // ASCII letters only
// A component or property name: a letter or '_' first, then letters, digits
// or '_'. Bytes of 128 and above count as letters, so UTF-8 names pass.
bool IsValidIdent(std::string_view s);

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : FMessage(std::move(message)) {}
    const AnsiString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class name as the framework's exception display shows it.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    AnsiString FMessage;
};

#define VCL_DECLARE_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                             \
    public:                                                                \
        using Base::Base;                                                  \
        const char* ClassName() const noexcept override { return #Name; } \
    };

VCL_DECLARE_EXCEPTION(EConvertError, Exception)
VCL_DECLARE_EXCEPTION(EListError, Exception)
VCL_DECLARE_EXCEPTION(EComponentError, Exception)
VCL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
VCL_DECLARE_EXCEPTION(EStreamError, Exception)
VCL_DECLARE_EXCEPTION(EFilerError, EStreamError)
VCL_DECLARE_EXCEPTION(EReadError, EFilerError)
VCL_DECLARE_EXCEPTION(EWriteError, EFilerError)
VCL_DECLARE_EXCEPTION(EClassNotFound, EFilerError)

// Reads the whole file into Out; false when it cannot be opened or read
// (errno says why).
bool ReadFileBytes(const std::string& Path, std::string& Out);
// Writes Data to a new file beside Path, then renames it into place: a write
// that fails or is cut short leaves Path as it was. A file that existed keeps
// its permissions and, where allowed, its owner. A symbolic link is followed
// (the file it names is replaced, the link stays); a file with several hard
// links is written in place once the new text is safely on disk beside it,
// so every name sees the change. EWriteError "Path: why" on failure.
void WriteFileAtomically(const std::string& Path, std::string_view Data);
VCL_DECLARE_EXCEPTION(EPropertyError, EFilerError)
VCL_DECLARE_EXCEPTION(EParserError, Exception)
VCL_DECLARE_EXCEPTION(EResNotFound, Exception)

}  // namespace vcl
