#pragma once
// The assignable-object base of the library's value classes, with the standard refusal
// of a source of another type.

#include <QString>
#include <stdexcept>

class EKsConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TKsPersistent {
public:
    virtual ~TKsPersistent() = default;
    virtual QString ClassName() const = 0;

    // Copies Source into this object; a source this class cannot take raises EKsConvertError
    // "Cannot assign a <source class> to a <this class>" (a null source reads "nil").
    virtual void Assign(const TKsPersistent* Source) { AssignError(Source); }

protected:
    TKsPersistent() = default;
    TKsPersistent(const TKsPersistent&) = default;
    TKsPersistent& operator=(const TKsPersistent&) = default;

    [[noreturn]] void AssignError(const TKsPersistent* Source) const;
};
