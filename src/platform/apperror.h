#pragma once

#include <QString>

namespace platform {

// A failure carried up to the procedure that reports it. Numbers follow the classic runtime
// numbering where the program reacts to them.
struct AppError {
    int number = 0;
    QString description;

    bool isSet() const { return number != 0; }

    static constexpr int Overflow = 6;
    static constexpr int DivisionByZero = 11;
    static constexpr int TypeMismatch = 13;
    static constexpr int FileNotFound = 53;
    static constexpr int DeviceIoError = 57;
    static constexpr int InputPastEnd = 62;
    static constexpr int PermissionDenied = 70;
    static constexpr int PathFileAccessError = 75;
    static constexpr int PathNotFound = 76;
    static constexpr int ObjectNotSet = 91;
    static constexpr int NoSuchControlArrayElement = 340;
    static constexpr int InvalidPropertyValue = 380;

    static AppError overflow();
    static AppError divisionByZero();
    static AppError typeMismatch();
    static AppError fileNotFound(const QString &path = {});
    static AppError inputPastEnd();
    static AppError permissionDenied(const QString &path = {});
    static AppError pathNotFound(const QString &path = {});
    static AppError invalidPropertyValue();
};

// "エラーが発生しました(label)" CR LF "エラー番号: n" CR LF "内容: description"
QString errorReportText(const QString &label, const AppError &error);
// "ご迷惑をおかけしています.(label)" CR LF "想定外の事象が発生しました。" CR LF "番号: n" CR LF "内容: description"
QString apologyReportText(const QString &label, const AppError &error);
// Title of both reports.
QString reportTitle();

} // namespace platform
