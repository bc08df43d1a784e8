// A print back-end that takes nothing, not even a PDF file: every document
// handed to it fails with `why`. It installs itself for its lifetime.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/print/printer.h"

class RefusingPrinter : public print::Backend {
 public:
  explicit RefusingPrinter(std::string why = "no PDF file could be written in /nowhere (No space left on device)")
      : why_(std::move(why)), previous_(print::setBackend(this)) {}
  ~RefusingPrinter() override { print::setBackend(previous_); }
  RefusingPrinter(const RefusingPrinter&) = delete;
  RefusingPrinter& operator=(const RefusingPrinter&) = delete;

  print::Handover deliver(const print::Document&, const std::optional<print::PrinterInfo>&) override {
    throw std::runtime_error(why_);
  }

 private:
  std::string why_;
  print::Backend* previous_;
};
