#include "ui/shell/qt_report_context.h"

#include <QDate>
#include <QLocale>

namespace orlenda {

ReportContext CurrentReportContext() {
  const QLocale locale;
  ReportContext context;
  context.decimalSeparator = locale.decimalPoint().toStdString();
  context.today = locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
  return context;
}

}  // namespace orlenda
