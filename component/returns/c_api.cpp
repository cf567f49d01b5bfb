#include "returns/c_api.h"

#include <deque>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/clock/clock.hpp"
#include "platform/ui/ui.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "returns/dispatch.hpp"
#include "returns/registry.hpp"
#include "returns/server_registration.hpp"
#include "state/return_object.hpp"

// Members in this order: the return object refers to the UI and the clock, so it
// must go before them.
struct fenwarx_handle {
  fenwarx::RecordingUi ui;
  std::unique_ptr<fenwarx::Clock> clock = fenwarx::system_clock();
  std::shared_ptr<fenwarx::Object> object;  // what an object argument passes on
  std::shared_ptr<fenwarx::ReturnObject> owned;
  fenwarx::ReturnObject* target = nullptr;  // null for a workbook
  std::shared_ptr<fenwarx::XlsxWorkbook> workbook;
  std::deque<std::string> texts;  // a deque never moves what it holds
  std::vector<fenwarx_message> shown;

  fenwarx::Platform platform() { return {ui, *clock}; }
  const char* keep(std::string text) { return texts.emplace_back(std::move(text)).c_str(); }
};

namespace fenwarx {
namespace {

struct Failure {
  int number = 0;
  std::string description;
};

thread_local Failure last_failure;

fenwarx_handle& global_handle() {
  thread_local fenwarx_handle handle;
  if (!handle.target) handle.target = &global_object(handle.platform());
  return handle;
}

// The failure of the exception being handled, as a caller sees it.
Failure current_failure() {
  try {
    throw;
  } catch (const RuntimeError& e) {
    return {e.number(), e.description()};
  } catch (const std::bad_alloc&) {
    return {err::kOutOfMemory, std::string(error_text(err::kOutOfMemory))};
  } catch (const std::exception& e) {
    return {err::kApplication, e.what()};
  } catch (...) {
    return {err::kApplication, std::string(error_text(err::kApplication))};
  }
}

void remember(Failure failure) { last_failure = std::move(failure); }

Variant from_c(const fenwarx_variant& in) {
  switch (in.type) {
    case FENWARX_EMPTY: return {};
    case FENWARX_NUMBER: return Variant::number(in.number);
    case FENWARX_TEXT: return Variant::text(in.text ? in.text : "");
    case FENWARX_DATE: return Variant::date(in.number);
    case FENWARX_BOOLEAN: return Variant::boolean(in.number != 0);
    case FENWARX_ERROR: return Variant::error(static_cast<int>(in.number));
    case FENWARX_OBJECT: return Variant::object(in.object ? in.object->object : nullptr);
    default: throw RuntimeError(err::kTypeMismatch);
  }
}

// `passed` is what the caller had in that place: an object coming back keeps its
// handle when it is still the same object.
fenwarx_variant to_c(fenwarx_handle& h, const Variant& value, const fenwarx_variant* passed) {
  fenwarx_variant out{FENWARX_EMPTY, 0, nullptr, nullptr};
  switch (value.type()) {
    case VariantType::Empty: break;
    case VariantType::Number:
      out.type = FENWARX_NUMBER;
      out.number = value.number_value();
      break;
    case VariantType::Text:
      out.type = FENWARX_TEXT;
      out.text = h.keep(value.text_value());
      break;
    case VariantType::Date:
      out.type = FENWARX_DATE;
      out.number = value.number_value();
      break;
    case VariantType::Boolean:
      out.type = FENWARX_BOOLEAN;
      out.number = value.number_value();
      break;
    case VariantType::Error:
      out.type = FENWARX_ERROR;
      out.number = value.error_value();
      break;
    case VariantType::Object:
      out.type = FENWARX_OBJECT;
      if (passed && passed->object && passed->object->object == value.object_value())
        out.object = passed->object;
      break;
  }
  return out;
}

}  // namespace
}  // namespace fenwarx

using namespace fenwarx;

extern "C" {

fenwarx_handle* fenwarx_create(const char* prog_id) {
  try {
    auto handle = std::make_unique<fenwarx_handle>();
    handle->owned = create_object(prog_id ? prog_id : "", handle->platform());
    handle->object = handle->owned;
    handle->target = handle->owned.get();
    return handle.release();
  } catch (...) {
    remember(current_failure());
    return nullptr;
  }
}

fenwarx_handle* fenwarx_open_workbook(const char* path) {
  try {
    if (!path) throw RuntimeError(err::kInvalidCall);
    auto handle = std::make_unique<fenwarx_handle>();
    handle->workbook = XlsxWorkbook::open(path);
    handle->object = handle->workbook;
    return handle.release();
  } catch (...) {
    remember(current_failure());
    return nullptr;
  }
}

int fenwarx_save_workbook(fenwarx_handle* workbook, const char* path) {
  try {
    if (!workbook) throw RuntimeError(err::kObjectRequired);
    if (!workbook->workbook) throw RuntimeError(err::kTypeMismatch);
    if (path)
      workbook->workbook->save_as(path);
    else
      workbook->workbook->save();
    return 0;
  } catch (...) {
    remember(current_failure());
    return last_failure.number;
  }
}

int fenwarx_invoke(fenwarx_handle* handle, const char* member, fenwarx_variant* args, size_t count,
                   fenwarx_variant* result, int* error_number, const char** error_description) {
  Failure failure;
  fenwarx_handle* h = handle;
  std::deque<std::string> previous;  // the texts of the previous call
  if (result) *result = {FENWARX_EMPTY, 0, nullptr, nullptr};
  try {
    if (!h) h = &global_handle();
    std::vector<Variant> passed;
    passed.reserve(count);
    for (size_t i = 0; i < count; ++i) passed.push_back(from_c(args[i]));
    previous.swap(h->texts);
    h->shown.clear();
    if (!h->target) throw RuntimeError(err::kNoSuchMember);

    std::vector<Variant> values = passed;
    const Variant value = invoke(*h->target, member ? member : "", values);
    for (size_t i = 0; i < count; ++i)
      if (!(values[i] == passed[i])) args[i] = to_c(*h, values[i], &args[i]);
    if (result) *result = to_c(*h, value, nullptr);
  } catch (...) {
    failure = current_failure();
  }
  // A caller may pass a text handed out by the previous call; where it still
  // stands in the array it must outlive that call's texts.
  if (!previous.empty()) {
    std::unordered_set<const char*> stale;
    for (const std::string& text : previous) stale.insert(text.c_str());
    for (size_t i = 0; i < count; ++i)
      if (args[i].type == FENWARX_TEXT && stale.count(args[i].text))
        args[i].text = h->keep(args[i].text);
  }
  if (error_number) *error_number = failure.number;
  if (error_description)
    *error_description = failure.number == 0 || !h ? "" : h->keep(failure.description);
  return failure.number;
}

const fenwarx_message* fenwarx_messages(fenwarx_handle* handle, size_t* count) {
  if (count) *count = 0;
  try {
    fenwarx_handle& h = handle ? *handle : global_handle();
    h.shown.clear();
    for (const Message& message : h.ui.messages)
      h.shown.push_back({h.keep(message.text), h.keep(message.title), message.style});
    h.ui.messages.clear();
    if (count) *count = h.shown.size();
    return h.shown.data();
  } catch (...) {
    return nullptr;
  }
}

void fenwarx_free_text(fenwarx_handle* handle) {
  try {
    fenwarx_handle& h = handle ? *handle : global_handle();
    h.texts.clear();
    h.shown.clear();
  } catch (...) {
  }
}

int fenwarx_last_error(const char** description) {
  if (description) *description = last_failure.description.c_str();
  return last_failure.number;
}

void fenwarx_release(fenwarx_handle* handle) { delete handle; }

int fenwarx_register_server(void) {
  try {
    register_server();
    return 0;
  } catch (...) {
    remember(current_failure());
    return last_failure.number;
  }
}

int fenwarx_unregister_server(void) {
  try {
    unregister_server();
    return 0;
  } catch (...) {
    remember(current_failure());
    return last_failure.number;
  }
}

}  // extern "C"
