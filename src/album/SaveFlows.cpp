// The save flows over the album.
#include "album/SaveFlows.h"

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <future>
#include <new>
#include <optional>
#include <set>
#include <thread>

#include "album/FolderEnum.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

struct ActionTexts {
    uint32_t title;
    uint32_t batchAsk;
    uint32_t failed;
    uint32_t done;
};

ActionTexts TextsOf(SaveAction action) {
    switch (action) {
        case SaveAction::kResize:
            return {kStrResizeTitle, kStrResizeBatchAsk, kMsgResizeFailed, kMsgResized};
        case SaveAction::kCrop:
            return {kStrCropTitle, kStrConvertBatchAsk, kMsgCropFailed, kMsgCropped};
        case SaveAction::kConvert:
            break;
    }
    return {kStrConvertTitle, kStrConvertBatchAsk, kMsgConvertFailed, kMsgConverted};
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Names on this file system differ by case, so the album entry must match exactly.
CImageEntry* EntryNamed(const CTavoDoc& doc, const std::string& name) {
    for (int i = 0; i < doc.Count(); ++i) {
        if (doc.EntryAt(i)->Name() == name) return doc.EntryAt(i);
    }
    return nullptr;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file written into the album's folder: an entry of that name is refilled (its thumbnail made
// again), any other file becomes a new entry at the tail.
void UpdateAlbum(CTavoDoc& doc, const std::string& output, SaveReport& report) {
    const size_t slash = output.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : output.substr(0, slash);
    if (!SameFolder(folder.empty() ? "/" : folder, doc.CurrentFolder())) return;
    const std::string name = BaseName(output);
    FindData data;
    if (!ReadFindData(doc.CurrentFolder(), name, data)) return;
    if (CImageEntry* entry = EntryNamed(doc, name)) {
        entry->thumbnail.Release();
        entry->Refill(data, doc.CurrentFolder());
        report.sourceReplaced = true;
        return;
    }
    doc.AddEntry(data);
}

enum class Step { kSaved, kFailed, kSkipped, kCancel };

// One image to write, settled on the calling thread.
struct SaveJob {
    CImageEntry* entry = nullptr;
    std::string source;
    std::string output;
    SaveEdit edit;
};

// The overwrite question and the job it allows; `step` says why there is none.
std::optional<SaveJob> Prepare(CTavoDoc& doc, CImageEntry& entry, const SaveRequest& request,
                               UserPrompt& prompt, bool batch, bool& yesToAll, Step& step) {
    const ActionTexts texts = TextsOf(request.action);
    SaveJob job;
    job.entry = &entry;
    job.source = JoinPath(doc.CurrentFolder(), entry.Name());
    job.output = OutputPath(doc, entry, request);
    if (!yesToAll && Exists(job.output)) {
        const Question question{kStrSaveOverwriteAsk, texts.title,
                                FormatString(kStrSaveOverwriteAsk, job.output.c_str()), batch};
        switch (prompt.Ask(question)) {
            case Answer::kYes:
                break;
            case Answer::kYesToAll:
                if (batch) {
                    yesToAll = true;
                    break;
                }
                step = Step::kSkipped;
                return std::nullopt;
            case Answer::kNo:
                step = Step::kSkipped;
                return std::nullopt;
            case Answer::kCancel:
                step = batch ? Step::kCancel : Step::kSkipped;
                return std::nullopt;
        }
    }
    if (request.action == SaveAction::kResize) {
        job.edit.size = ResizeTarget(entry, request);
        // A batch may decode a JPEG at the library scale that keeps twice the target size.
        job.edit.scaledDecode = batch;
    } else if (request.action == SaveAction::kCrop) {
        job.edit.crop = request.crop;
    }
    return job;
}

// The pixel work; safe on any thread. The failure's text, or nothing.
std::optional<std::string> Execute(const SaveJob& job, const SaveOptions& options) {
    try {
        SaveImageAs(job.source, job.output, options, job.edit);
        return std::nullopt;
    } catch (const CTavoException& e) {
        return e.GetErrorMessage();
    } catch (const std::bad_alloc&) {
        return CTavoException(kErrNoMemory).GetErrorMessage();
    }
}

// Messages and the album, back on the calling thread.
Step Finish(CTavoDoc& doc, const SaveJob& job, const std::optional<std::string>& failure,
            const SaveRequest& request, UserPrompt& prompt, bool batch, SaveReport& report) {
    const ActionTexts texts = TextsOf(request.action);
    if (failure) {
        prompt.ShowMessage(texts.failed,
                           FormatString(texts.failed, job.output.c_str()) + "\n" + *failure);
        return Step::kFailed;
    }
    report.written.push_back(job.output);
    try {
        UpdateAlbum(doc, job.output, report);
    } catch (const CTavoException&) {
        // The file was written; a listing that cannot read it back is caught up by the next scan.
    }
    if (!batch) prompt.ShowMessage(texts.done, FormatString(texts.done, job.output.c_str()));
    return Step::kSaved;
}

void Count(Step step, SaveReport& report) {
    switch (step) {
        case Step::kSaved:
            ++report.saved;
            break;
        case Step::kFailed:
            ++report.failed;
            break;
        case Step::kSkipped:
            ++report.skipped;
            break;
        case Step::kCancel:
            report.cancelled = true;
            break;
    }
}

}  // namespace

std::string OutputPath(const CTavoDoc& doc, const CImageEntry& entry, const SaveRequest& request) {
    const std::string& name = entry.Name();
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    const SaveFormatInfo* format = FindSaveFormat(request.options.format);
    const std::string extension = format ? format->extension : "";
    const std::string& folder =
        request.destination.empty() ? doc.CurrentFolder() : request.destination;
    return JoinPath(folder, stem + request.appendage + "." + extension);
}

Size ResizeTarget(const CImageEntry& entry, const SaveRequest& request) {
    const Size image{entry.Header().width, entry.Header().height};
    return PresetTargetSize(request.preset, image, request.screen, request.userSize);
}

SaveReport SaveCurrent(CTavoDoc& doc, int index, const SaveRequest& request, UserPrompt& prompt) {
    SaveReport report;
    CImageEntry* entry = doc.EntryAt(index);
    if (entry == nullptr) return report;
    bool yesToAll = false;
    Step step = Step::kSkipped;
    if (const auto job = Prepare(doc, *entry, request, prompt, false, yesToAll, step)) {
        step = Finish(doc, *job, Execute(*job, request.options), request, prompt, false, report);
    }
    Count(step, report);
    if (!report.written.empty()) doc.UpdateViews(kHintEntriesChanged);
    return report;
}

int DefaultSaveWorkers() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

SaveReport SaveBatch(CTavoDoc& doc, const std::vector<int>& indices, const SaveRequest& request,
                     UserPrompt& prompt, const SaveProgress& progress, int workers) {
    SaveReport report;
    const ActionTexts texts = TextsOf(request.action);
    const int total = static_cast<int>(indices.size());
    if (total > kBatchQuestionAbove) {
        const Question question{texts.batchAsk, texts.title, FormatString(texts.batchAsk, total),
                                false};
        if (prompt.Ask(question) != Answer::kYes) {
            report.cancelled = true;
            return report;
        }
    }
    // Entries are held by pointer: new outputs are appended to the list as the batch runs.
    std::vector<CImageEntry*> entries;
    for (int index : indices) {
        if (CImageEntry* entry = doc.EntryAt(index)) entries.push_back(entry);
    }
    // Questions, messages and the album stay on this thread; up to `workers` images are decoded,
    // resized and written at once, and finished in the album's order.
    struct Running {
        SaveJob job;
        std::future<std::optional<std::string>> failure;
    };
    std::deque<Running> running;
    std::set<std::string> pending;
    auto finishOldest = [&] {
        Running& oldest = running.front();
        Count(Finish(doc, oldest.job, oldest.failure.get(), request, prompt, true, report), report);
        pending.erase(oldest.job.output);
        running.pop_front();
    };
    bool yesToAll = false;
    const size_t limit = static_cast<size_t>(std::max(workers, 1));
    for (int i = 0; i < static_cast<int>(entries.size()) && !report.cancelled; ++i) {
        if (progress && !progress(i, total, entries[i]->Name())) {
            report.cancelled = true;
            break;
        }
        // An output another image is still writing is asked about once that one is done.
        if (pending.count(OutputPath(doc, *entries[i], request))) {
            while (!running.empty()) finishOldest();
        }
        Step step = Step::kSkipped;
        auto job = Prepare(doc, *entries[i], request, prompt, true, yesToAll, step);
        if (!job) {
            Count(step, report);
            continue;
        }
        pending.insert(job->output);
        auto failure = limit == 1
                           ? std::async(std::launch::deferred, Execute, *job, request.options)
                           : std::async(std::launch::async, Execute, *job, request.options);
        running.push_back(Running{std::move(*job), std::move(failure)});
        if (running.size() >= limit) finishOldest();
    }
    while (!running.empty()) finishOldest();
    if (progress && !report.cancelled) progress(total, total, std::string());
    if (!report.written.empty()) doc.UpdateViews(kHintEntriesChanged);
    return report;
}

}  // namespace xelo
