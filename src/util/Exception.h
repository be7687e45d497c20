#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The failure the whole system raises: a Portuguese message, and a class name of its own
// (a C++ class has no runtime name, so each kind of failure states it; the log writes it).
class Exception : public std::exception
{
public:
    explicit Exception(QString pMessage) : vMessage(std::move(pMessage)), vUtf8(vMessage.toUtf8()) {}

    const QString& Message() const noexcept { return vMessage; }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }
    const char* what() const noexcept override { return vUtf8.constData(); }

private:
    QString vMessage;
    QByteArray vUtf8;
};

// A value that cannot be converted (a date that does not read, a body that is not JSON, ...).
class EConvertError : public Exception
{
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EConvertError"); }
};
