#pragma once
#include <exception>
#include <utility>

// Shows an error that ended a handler through the default error report.
void ReportHandlerError(const std::exception& error) noexcept;
void ReportUnknownHandlerError() noexcept;

// Runs one handler at a dispatch point: an error thrown inside ends the handler, reaches the
// default error report, and never unwinds into Windows code.
template <class Handler>
void Guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ReportHandlerError(error);
    } catch (...) {
        ReportUnknownHandlerError();
    }
}
