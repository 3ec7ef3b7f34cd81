#include "platform/ui/ApplicationErrorReport.h"

#include "platform/Exceptions.h"
#include "platform/ui/ApplicationTitle.h"
#include "platform/ui/DialogService.h"

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void ShowApplicationErrorReport(const QString& message) {
    ShowMessageBox(ApplicationTitle(), ErrorReportText(message), DialogIcon::Stop);
}

void ReportException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowApplicationErrorReport(e.message());
    } catch (const std::exception& e) {
        ShowApplicationErrorReport(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowApplicationErrorReport(QStringLiteral("Unknown error"));
    }
}
