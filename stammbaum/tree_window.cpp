#include "stammbaum/tree_window.h"

#include <chrono>
#include <mutex>

#include "core/errors.h"
#include "core/input_file.h"
#include "core/os.h"
#include "core/text1252.h"
#include "places/data_files.h"

namespace veldaris::tree {
namespace {

struct Stopped {};  // the window went while a tree was read

}  // namespace

// A reading on its way: its thread, how far it is, and its result once it is done.
struct TreeWindow::Job {
  std::thread thread;
  std::atomic<std::size_t> done{0}, all{0};
  std::atomic<bool> gazetteerRead{false};
  std::atomic<bool> finished{false};
  std::atomic<bool> stop{false};
  std::mutex mutex;  // guards what follows, which the thread writes once, before `finished`
  std::optional<OpenTree> tree;
  std::string failure;
  std::shared_ptr<const places::Gazetteer> gazetteer;
};

TreeWindow::TreeWindow(TreePlatform& p, std::filesystem::path data, Disk& d)
    : platform(p), disk(d), dataFile(std::move(data)) {
  for (const ControlSpec& spec : ControlTable()) (*this)[spec.id].SetText(spec.caption);
  for (const auto& [id, items] : {std::pair{Filter, FilterItems()}, std::pair{Sort, SortItems()}}) {
    RowList rows;
    for (const std::string& item : items) rows.push_back(item);
    (*this)[id].SetRows(std::move(rows), 0);
  }
  std::vector<std::string> warnings;  // without its file, the map shows the dots alone
  if (auto borders = places::LoadMap(dataFile, warnings)) map = std::make_shared<const places::MapData>(std::move(*borders));
  mapView.SetSize(SpecOf(Map).width / 15, SpecOf(Map).height / 15);
  if (map) mapView.Fit(map->austriaLow, map->austriaHigh);
}

places::MapScene TreeWindow::Scene() const {
  places::MapScene scene{map.get(), mapView, dots, std::nullopt, (*this)[Lands1910Box].selected()};
  const int row = (*this)[PlaceList].current();
  if (tree && row >= 0 && static_cast<std::size_t>(row) < view.size()) {
    const std::size_t place = view[static_cast<std::size_t>(row)];
    if (place < dotOf.size() && dotOf[place] != kNoDot) scene.selected = dotOf[place];
  }
  return scene;
}

TreeWindow::~TreeWindow() {
  if (job_) {
    job_->stop = true;
    job_->thread.join();
  }
}

void TreeWindow::StartReading(const std::filesystem::path& path) {
  if (job_) return;
  job_ = std::make_unique<Job>();
  Job& job = *job_;
  job.gazetteer = gazetteer_;
  job.thread = std::thread([&job, path, data = dataFile] {
    std::optional<OpenTree> result;
    std::string failure;
    std::shared_ptr<const places::Gazetteer> gazetteer = job.gazetteer;
    const std::string name = Windows1252ToUtf8(os::PathTo1252(path));
    try {
      if (!gazetteer) {
        std::vector<std::string> warnings;  // a line of the files beside it that cannot be read is left out
        gazetteer = std::make_shared<const places::Gazetteer>(places::LoadGazetteer(data, warnings));
      }
      job.gazetteerRead = true;
      OpenTree read;
      read.path = path;
      read.bytes = std::make_unique<std::string>(ReadWholeFile(path, os::PathTo1252(path)));
      read.tree = std::make_unique<places::GedcomTree>(*read.bytes);
      read.places = places::CheckPlaces(*read.tree, *gazetteer, false, [&](std::size_t done, std::size_t all) {
        if (job.stop) throw Stopped{};
        job.done = done;
        job.all = all;
      });
      result = std::move(read);
    } catch (const places::GedcomError& error) {
      failure = name + ", Zeile " + std::to_string(error.line) + ": " + error.what();
    } catch (const SystemError& error) {
      failure = Windows1252ToUtf8(error.File().empty() ? os::PathTo1252(path) : error.File()) + ": " +
                Windows1252ToUtf8(error.Description());
    } catch (const Stopped&) {
      failure = "abgebrochen";
    } catch (const std::exception& error) {
      failure = name + ": " + error.what();
    }
    const std::lock_guard<std::mutex> lock(job.mutex);
    job.tree = std::move(result);
    job.failure = std::move(failure);
    job.gazetteer = std::move(gazetteer);
    job.finished = true;
  });
}

std::optional<TreeWindow::Finished> TreeWindow::Take() {
  job_->thread.join();
  Finished finished;
  {
    const std::lock_guard<std::mutex> lock(job_->mutex);
    finished.tree = std::move(job_->tree);
    finished.failure = std::move(job_->failure);
    if (job_->gazetteer) gazetteer_ = job_->gazetteer;
  }
  job_.reset();
  return finished;
}

std::optional<TreeWindow::Finished> TreeWindow::PollReading() {
  if (!job_) return std::nullopt;
  if (job_->finished) return Take();
  const std::size_t all = job_->all, done = job_->done;
  Control& progress = (*this)[Progress];
  if (!job_->gazetteerRead) {
    progress.SetText("Die Ortsdaten werden gelesen …");
    progress.SetProgress(0);
  } else if (all > 0) {
    progress.SetText("Ortsangaben nachgeschlagen: " + std::to_string(done) + " von " + std::to_string(all));
    progress.SetProgress(static_cast<int>(done * 100 / all));
  } else {
    progress.SetText("Der Stammbaum wird gelesen …");
  }
  return std::nullopt;
}

std::optional<TreeWindow::Finished> TreeWindow::WaitForReading() {
  if (!job_) return std::nullopt;
  while (!job_->finished) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return Take();
}

std::vector<std::string> FilterItems() {
  return {"alle Ortsangaben", "offene (mehrdeutig oder ähnlich, nicht gewählt)", "eindeutig", "mehrdeutig", "ähnlich",
          "nicht gefunden", "Ausland", "gewählt", "nicht nachgeschlagen"};
}

std::vector<std::string> SortItems() {
  std::vector<std::string> items;
  for (const std::string& column : PlaceColumns()) items.push_back(column);
  return items;
}

}  // namespace veldaris::tree
