#include "cli/record_output.hpp"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "record/record_document.hpp"
#include "report/message_text.hpp"
#include "report/save_error_message.hpp"

namespace ferrolith {

namespace {

// Qt's GUI toolkit for the time the record is drawn, unless the program runs one already.
class RecordToolkit {
  public:
    RecordToolkit() {
        if (QGuiApplication::instance()) return;
        // Offscreen whatever the environment names: any other platform may need a display, and
        // without one Qt ends the program before the report and the files are out.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        // The toolkit's notes (no runtime folder, fonts) are not the driver's messages.
        previous_ = qInstallMessageHandler(quiet);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~RecordToolkit() {
        if (!app_) return;
        app_.reset();
        qInstallMessageHandler(previous_);
    }
    RecordToolkit(const RecordToolkit&) = delete;
    RecordToolkit& operator=(const RecordToolkit&) = delete;

  private:
    int argc_ = 1;
    char name_[14] = "ferrolith-cli";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previous_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;

    static void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fputs(qPrintable(message + QStringLiteral("\n")), stderr);
    }
};

}  // namespace

bool writeRecordOrSay(const std::string& path, const CalculationRecord& record,
                      std::ostream& errors) {
    const RecordToolkit toolkit;
    const auto failure = saveRecord(record, path);
    if (!failure) return true;
    errors << "ferrolith-cli: " << oneLineMessage(saveErrorMessage(path, *failure)) << '\n';
    return false;
}

}  // namespace ferrolith
