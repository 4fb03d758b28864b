#pragma once

#include <QString>
#include <exception>

// A run-time failure that a routine traps: a number, a description and the component that raised
// it. Thrown by conversions and overflow checks, caught where the routine that owns it says so;
// never thrown across the event loop.
class RunTimeError : public std::exception {
public:
    // The numbers the program raises, as the classic run-time numbers them.
    static constexpr int InvalidProcedureCall = 5;
    static constexpr int Overflow = 6;
    static constexpr int SubscriptOutOfRange = 9;
    static constexpr int TypeMismatch = 13;
    static constexpr int FileNotFound = 53;
    static constexpr int PathNotFound = 76;

    RunTimeError(int iNumber, const QString &sDescription, const QString &sSource = QString());

    int Number() const { return m_iNumber; }
    QString Description() const { return m_sDescription; }
    QString Source() const { return m_sSource; }
    void setSource(const QString &sSource) { m_sSource = sSource; }

    const char *what() const noexcept override { return m_utf8.constData(); }

    static RunTimeError MakeOverflow(const QString &sSource = QString());
    static RunTimeError MakeTypeMismatch(const QString &sSource = QString());

private:
    int m_iNumber;
    QString m_sDescription;
    QString m_sSource;
    QByteArray m_utf8;
};
