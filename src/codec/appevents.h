#pragma once

#include <QEvent>

// Events posted to the main window by work that runs beside the user interface
// (the scanner): progress 0..100, and a finished scan.
inline constexpr QEvent::Type ProgressEventType = QEvent::User;
inline constexpr QEvent::Type ScanFinishedEventType = QEvent::Type(QEvent::User + 1);

class ProgressEvent : public QEvent {
public:
    explicit ProgressEvent(int value) : QEvent(ProgressEventType), Value(value) {}
    int Value;
};

// A scan has ended; Ticket names its result for GetScanedDib.
class ScanFinishedEvent : public QEvent {
public:
    explicit ScanFinishedEvent(int ticket) : QEvent(ScanFinishedEventType), Ticket(ticket) {}
    int Ticket;
};
