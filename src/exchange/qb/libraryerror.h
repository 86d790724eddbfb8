#pragma once
// A failing call of the accounting library: which call, the result code and
// the library's text for it. Thrown where the library raises an error (a
// request set it cannot send or an answer it cannot read); the session frame
// turns it into one message box naming the call.

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace tw::qb {

// Result codes of the library that the program tells apart.
namespace code {
inline constexpr std::uint32_t Ok = 0;
inline constexpr std::uint32_t ParseError = 0x80040400;  // the request text is not one the product accepts
inline constexpr std::uint32_t NoSession =
    0x80040402;  // a call that needs a connection or session without one
inline constexpr std::uint32_t CompanyFileMissing = 0x80040408;
inline constexpr std::uint32_t WrongCompanyFile = 0x8004040A;
inline constexpr std::uint32_t NotRunning = 0x80040416;
inline constexpr std::uint32_t VersionNotSupported = 0x80040428;
inline constexpr std::uint32_t CountryMismatch = 0x80040429;
inline constexpr std::uint32_t ResponseUnreadable = 0x80040431;
inline constexpr std::uint32_t SaveFailed = 0x80040432;
}  // namespace code

class LibraryError : public std::runtime_error {
public:
    LibraryError(QString call, std::uint32_t code, QString text)
        : std::runtime_error((call + ": " + text).toStdString()),
          call_(std::move(call)),
          code_(code),
          text_(std::move(text))
    {}
    const QString& Call() const { return call_; }
    std::uint32_t Code() const { return code_; }
    const QString& Text() const { return text_; }

private:
    QString call_;
    std::uint32_t code_;
    QString text_;
};

}  // namespace tw::qb
