#include "platform/apperror.h"

namespace platform {

namespace {
AppError make(int number, const QString &text, const QString &path)
{
    return AppError{number, path.isEmpty() ? text : text + QStringLiteral(" (") + path + QLatin1Char(')')};
}
} // namespace

AppError AppError::overflow()
{
    return {Overflow, QStringLiteral("オーバーフローしました。")};
}
AppError AppError::divisionByZero()
{
    return {DivisionByZero, QStringLiteral("0 で除算しました。")};
}
AppError AppError::typeMismatch()
{
    return {TypeMismatch, QStringLiteral("型が一致しません。")};
}
AppError AppError::fileNotFound(const QString &path)
{
    return make(FileNotFound, QStringLiteral("ファイルが見つかりません。"), path);
}
AppError AppError::inputPastEnd()
{
    return {InputPastEnd, QStringLiteral("ファイルにこれ以上データがありません。")};
}
AppError AppError::permissionDenied(const QString &path)
{
    return make(PermissionDenied, QStringLiteral("書き込みできません。"), path);
}
AppError AppError::pathNotFound(const QString &path)
{
    return make(PathNotFound, QStringLiteral("パスが見つかりません。"), path);
}
AppError AppError::invalidPropertyValue()
{
    return {InvalidPropertyValue, QStringLiteral("プロパティの値が不正です。")};
}

QString errorReportText(const QString &label, const AppError &error)
{
    return QStringLiteral("エラーが発生しました(") + label + QStringLiteral(")\r\n") + QStringLiteral("エラー番号: ") +
           QString::number(error.number) + QStringLiteral("\r\n") + QStringLiteral("内容: ") + error.description;
}

QString apologyReportText(const QString &label, const AppError &error)
{
    return QStringLiteral("ご迷惑をおかけしています.(") + label + QStringLiteral(")\r\n") +
           QStringLiteral("想定外の事象が発生しました。\r\n") + QStringLiteral("番号: ") +
           QString::number(error.number) + QStringLiteral("\r\n") + QStringLiteral("内容: ") + error.description;
}

QString reportTitle()
{
    return QStringLiteral("エラー情報");
}

} // namespace platform
