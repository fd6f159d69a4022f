#pragma once

#include <QByteArray>
#include <optional>
#include <string>

#include "record/calculation_record.hpp"

class QPagedPaintDevice;

namespace ferrolith {

// Paints the record's pages on device (a PDF writer or a printer, set up for A4): the same
// layout whatever the device. Returns the number of pages, 0 when the device cannot be painted.
int paintRecord(const CalculationRecord& record, QPagedPaintDevice& device);

// The record as a PDF document.
QByteArray recordPdf(const CalculationRecord& record);

// Writes the record's PDF to path through the safe save: the failure's description, or nothing.
std::optional<std::string> saveRecord(const CalculationRecord& record, const std::string& path);

}  // namespace ferrolith
