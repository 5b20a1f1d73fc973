// The installation's answers to the payload reader (see extraction_handler.h).
#include "install/extraction_handler.h"

#include "payload/bzip2_stream.h"
#include "payload/compress_error.h"
#include "payload/payload_entry.h"
#include "res/message_ids.h"
#include "vd/win_path.h"

#include <array>
#include <cmath>

namespace install {

namespace {

using payload::notification;
namespace kinds = payload::entry_kind;

// Decodes the whole payload into nothing; a decoding error escapes as the decoder's exception.
// The stream must then be used up and able to start again.
void check_pass(std::istream& payload) {
    {
        payload::bzip2_decompressor decoder(payload);
        std::array<std::byte, payload::bzip2_buffer_size> chunk;
        while (decoder.read(chunk) != 0) {}
    }
    payload.clear();
    const bool used_up = payload.peek() == std::char_traits<char>::eof();
    payload.clear();
    payload.seekg(0);
    if (!used_up || !payload.good()) throw payload::compress_error(payload::compress_errc::invalid_payload);
}

class handler {
public:
    explicit handler(extraction_context& context) : c_(context) {}

    notification::result operator()(const notification& n) {
        using namespace payload::notifications;
        if (std::holds_alternative<started>(n)) return Started();
        if (auto* begin = std::get_if<file_begin>(&n)) return Decide(*begin->entry);
        if (auto* end = std::get_if<file_end>(&n)) return Ended(*end->entry);
        if (auto* step = std::get_if<progress>(&n)) {
            c_.surface.SetProgress(progress_percent(step->done, step->total));
            return notification::result::proceed;
        }
        if (auto* failure = std::get_if<failed>(&n)) {
            // The journal's wrapper has completed a pending record with false already.
            Outcome(false);
            c_.surface.SetStatus(
                c_.language.FormatText(text::installation_failed, {payload::error_code_text(failure->code)}));
            return notification::result::abort;
        }
        return notification::result::proceed;  // finished
    }

private:
    notification::result Started() {
        const std::wstring status = c_.language.LoadText(text::preparing);
        c_.surface.SetStatus(status);
        c_.surface.AppendLog(status);
        check_pass(c_.payload);
        Outcome(true);
        return notification::result::proceed;
    }

    notification::result Decide(const payload::payload_entry& entry) {
        const std::wstring& path = entry.destination;
        switch (entry.kind) {
            case kinds::main_program:
                c_.mainProgramPath = path;
                break;
            case kinds::uninstaller:
                c_.uninstallerPath = path;
                break;
            case kinds::shared_data:
                // Shared data is never overwritten: what the previous installation placed, or any file
                // already there, stays as it is and only gets the Users' rights again.
                if (c_.previousOutcome != PreviousInstallState::None && c_.log.WasPlacedBefore(path)) {
                    (void)c_.grant_shared_file(path);
                    return notification::result::skip;
                }
                if (std::uint32_t attributes = 0; !c_.files.get_attributes(path, attributes)) {
                    c_.journal.record_existing_shared_file(path);
                    (void)c_.grant_shared_file(path);
                    return notification::result::skip;
                }
                break;
            case kinds::sample:
                if (c_.previousOutcome == PreviousInstallState::Older) return notification::result::skip;
                break;
            default:
                break;
        }
        // The journal's wrapper records the file (temporary files are listed instead).
        const std::wstring status = c_.language.FormatText(text::copying_file, {vd::path::quote_spaces(path)});
        c_.surface.SetPathStatus(status);
        c_.surface.AppendLog(status);
        return notification::result::proceed;
    }

    notification::result Ended(const payload::payload_entry& entry) {
        if (entry.kind == kinds::shared_data) (void)c_.grant_shared_file(entry.destination);
        Outcome(true);
        return notification::result::proceed;
    }

    void Outcome(bool ok) {
        c_.surface.AppendLog(c_.language.LoadText(ok ? text::step_ok : text::step_failed) + L"\r\n");
    }

    extraction_context& c_;
};

}  // namespace

int progress_percent(std::uint64_t done, std::uint64_t total) noexcept {
    if (total == 0) return 0;
    const int position =
        static_cast<int>(std::floor(static_cast<double>(done) / static_cast<double>(total) * 100.0 + 0.5));
    return position >= 100 && done < total ? 99 : position;
}

payload::notification_callback extraction_handler(extraction_context& context) {
    return [h = handler(context)](payload::notification n) mutable { return h(n); };
}

}  // namespace install
