// Thumbnail catalog speed over photo-like JPEGs.
//
// Generates a repeatable corpus (4000 x 3000 and 1600 x 1200 pictures,
// quality 90, 4:2:0, fixed seeds), builds the catalog over each size in both
// cell modes through the real BuildCatalog (offscreen), and prints the
// milliseconds per picture, the peak memory, and the ratio to a bare
// libjpeg-turbo 1/8-scale decode of the same files timed in the same run.
//
//   catalog_bench            a few pictures per size
//   catalog_bench --full     the full corpus (24 pictures per size)
//   catalog_bench --count N  N pictures per size
//   catalog_bench --dir D    keep the corpus in D (default under /tmp)
//
// Each size and mode runs in its own process: the first build there gives
// the peak memory, a second build over the same files the time per picture
// (CPU and wall clock), then the bare decode and the builder's picture
// loader alone are timed over the same files.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <functional>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/thumbnail_loader.h"
#include "forms/catlog.h"
#include "forms/form1.h"
#include "ui/dialogs.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Size {
  int w, h;
};
const Size kSizes[] = {{4000, 3000}, {1600, 1200}};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of this process: on a shared machine the wall clock also counts
// other people's work, the CPU clock only ours.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Timing {
  double wall, cpu;  // ms per picture
};

// --- Corpus -----------------------------------------------------------------

uint32_t Next(uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

// Smooth colour fields with edges, texture and sensor-like noise: close
// enough to a photo for the encoder and decoder to do a photo's work.
void WritePhoto(const std::string& path, int w, int h, uint32_t seed) {
  uint32_t s = seed * 2654435761u + 1;
  float f[12];
  for (float& v : f) v = static_cast<float>(Next(s) % 1000) / 1000.0f;
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    std::perror(path.c_str());
    std::exit(1);
  }
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, out);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 2;
  c.comp_info[1].h_samp_factor = c.comp_info[1].v_samp_factor = 1;
  c.comp_info[2].h_samp_factor = c.comp_info[2].v_samp_factor = 1;
  jpeg_start_compress(&c, TRUE);
  const float kx = 6.2832f / static_cast<float>(w), ky = 6.2832f / static_cast<float>(h);
  for (int y = 0; y < h; ++y) {
    const float fy = static_cast<float>(y) * ky;
    for (int x = 0; x < w; ++x) {
      const float fx = static_cast<float>(x) * kx;
      const float base = 40.0f * std::sin(fx * (1 + 3 * f[0]) + fy * (1 + 2 * f[1])) +
                         25.0f * std::sin(fx * (5 + 9 * f[2]) - fy * (3 + 7 * f[3]));
      // Hard edges of objects.
      const bool inside = ((x / (w / 7 + 1)) + (y / (h / 5 + 1)) + static_cast<int>(f[4] * 3)) % 3 == 0;
      // Fine texture and noise.
      const float tex = 12.0f * std::sin(static_cast<float>(x) * (0.7f + f[5]) + static_cast<float>(y) * (0.9f + f[6]));
      const int noise = static_cast<int>(Next(s) % 15) - 7;
      const float v = 120.0f + base + tex + (inside ? 35.0f : 0.0f);
      auto clamp = [](float a) { return static_cast<uint8_t>(a < 0 ? 0 : a > 255 ? 255 : a); };
      row[3 * x] = clamp(v * (0.8f + 0.4f * f[7]) + noise);
      row[3 * x + 1] = clamp(v * (0.7f + 0.4f * f[8]) + noise + 10.0f * std::sin(fy * 9));
      row[3 * x + 2] = clamp(v * (0.6f + 0.5f * f[9]) + noise - 15.0f * std::sin(fx * 4));
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&c, &rp, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(out);
}

std::string SizeFolder(const std::string& root, Size s) {
  return root + "/" + std::to_string(s.w) + "x" + std::to_string(s.h);
}

void MakeCorpus(const std::string& root, int count) {
  mkdir(root.c_str(), 0755);
  for (const Size s : kSizes) {
    const std::string folder = SizeFolder(root, s);
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/photo%03d.jpg", i);
      const std::string path = folder + name;
      struct stat st;
      if (stat(path.c_str(), &st) == 0 && st.st_size > 0) continue;  // same seed, same file
      WritePhoto(path, s.w, s.h, static_cast<uint32_t>(s.w * 1000 + i));
    }
  }
}

// --- Measurements -----------------------------------------------------------

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(in, line)) {
    if (line.compare(0, n, field) == 0) return std::strtol(line.c_str() + n + 1, nullptr, 10);
  }
  return -1;
}

bool ResetPeak() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
  return static_cast<bool>(f.flush());
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> data;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return data;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && st.st_size > 0) {
    data.resize(static_cast<size_t>(st.st_size));
    data.resize(std::fread(data.data(), 1, data.size(), f));
  }
  std::fclose(f);
  return data;
}

// Read the file and decode it at 1/8 scale, nothing else.
void BareDecode(const std::string& path, std::vector<uint8_t>& pixels) {
  const std::vector<uint8_t> data = ReadAll(path);
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&d, TRUE);
  d.scale_num = 1;
  d.scale_denom = 8;
  d.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&d);
  pixels.resize(static_cast<size_t>(d.output_width) * d.output_height * 4);
  while (d.output_scanline < d.output_height) {
    JSAMPROW rp = pixels.data() + static_cast<size_t>(d.output_scanline) * d.output_width * 4;
    jpeg_read_scanlines(&d, &rp, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
}

Timing BarePass(const std::vector<std::string>& files) {
  std::vector<uint8_t> pixels;
  const auto t0 = Clock::now();
  const double c0 = CpuMs();
  for (const std::string& f : files) BareDecode(f, pixels);
  const double n = static_cast<double>(files.size());
  return Timing{Ms(Clock::now() - t0) / n, (CpuMs() - c0) / n};
}

// The builder's own loader alone (header peek and reduced decode).
Timing LoaderPass(const std::vector<std::string>& files) {
  const auto t0 = Clock::now();
  const double c0 = CpuMs();
  for (const std::string& f : files) {
    graphics::Bitmap picture;
    int w = 0, h = 0;
    catalog::LoadThumbnailPicture(f, ThumbBox, picture, w, h);
  }
  const double n = static_cast<double>(files.size());
  return Timing{Ms(Clock::now() - t0) / n, (CpuMs() - c0) / n};
}

class BenchSeam : public ui::DialogSeam {
 public:
  Clock::time_point finished;
  double finishedCpu = 0;
  int MessageBox(const std::string& text, const std::string&, int) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
    return ui::IDOK;
  }
  std::string SaveFileDialog(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  bool AnswerModal(ui::TForm& form) override {
    finished = Clock::now();
    finishedCpu = CpuMs();
    form.close();
    return true;
  }
};

int MeasureOne(int argc, char** argv, const std::string& folder, Size size, bool mode110) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  BenchSeam seam;
  ui::SetDialogSeam(&seam);
  CreateWindows();
  Form1->Activate();
  FormatTable[0] = {".BMP", ""};
  FormatTable[1] = {".JPG", ""};
  (mode110 ? Form1->RadioButton1 : Form1->RadioButton2)->setChecked(true);
  Form1->ComboBox1->SetText("jpg");
  Form1->DirectoryListBox1->SetDirectory(folder);
  RefreshFileList();
  std::vector<std::string> files;
  for (int i = 0; i < ImageFileCount; ++i) files.push_back(MakeFullPath(ImageFileList[i].FileName));
  if (files.empty()) return 1;

  BarePass(files);  // warm the file cache for both contenders

  // First build: peak memory, in a process that has built nothing yet.
  const long baseKb = StatusKb("VmRSS:");
  const bool reset = ResetPeak();
  catlog_f->ShowModal();
  const long peakKb = StatusKb("VmHWM:");
  const double canvasMb = static_cast<double>(catlog_f->Canvas.ByteCount()) / 1048576.0;
  const double cellsMb = static_cast<double>(catlog_f->ImList.Count()) * CellSize * CellSize * 4 / 1048576.0;

  // Second build: the time per picture, without the one-time costs of a
  // first showing (fonts, style, backing store).
  Clock::time_point first{};
  double firstCpu = 0;
  bool started = false;
  PictureLoadHook = [&](const std::string&) {
    if (!started) {
      first = Clock::now();
      firstCpu = CpuMs();
    }
    started = true;
  };
  catlog_f->ShowModal();
  const double n = static_cast<double>(files.size());
  const Timing catalog{Ms(seam.finished - first) / n, (seam.finishedCpu - firstCpu) / n};
  const int built = BuiltCount;

  const Timing bare = BarePass(files);
  const Timing loader = LoaderPass(files);

  const double aboveMb = static_cast<double>(peakKb - baseKb) / 1024.0 - canvasMb - cellsMb;
  std::printf("%4dx%-4d mode %s, %d pictures: catalog %.2f ms/picture CPU (%.2f wall), "
              "bare 1/8 decode %.2f ms CPU (%.2f wall), ratio %.3f CPU (%.3f wall); "
              "peak %.1f MB, above canvas (%.1f MB) and cells (%.1f MB) %.1f MB%s\n",
              size.w, size.h, mode110 ? "110" : "170", built, catalog.cpu, catalog.wall, bare.cpu,
              bare.wall, catalog.cpu / bare.cpu, catalog.wall / bare.wall,
              static_cast<double>(peakKb) / 1024.0, canvasMb, cellsMb, aboveMb,
              reset ? "" : " (peak not reset: figure includes start-up)");
  std::printf("    of which the picture loader alone %.2f ms CPU (ratio %.3f to the bare decode)\n",
              loader.cpu, loader.cpu / bare.cpu);
  std::fflush(stdout);
  PictureLoadHook = nullptr;
  DestroyWindows();
  ui::SetDialogSeam(nullptr);
  return built == static_cast<int>(files.size()) ? 0 : 1;
}

int RunInChild(const std::function<int()>& work) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) _exit(work());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 3;
  std::string root;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--full") {
      count = 24;
    } else if (a == "--count" && i + 1 < argc) {
      count = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--dir" && i + 1 < argc) {
      root = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--full | --count N] [--dir FOLDER]\n", argv[0]);
      return 2;
    }
  }
  if (root.empty()) root = "/tmp/tovra-bench-corpus";

  const auto t0 = Clock::now();
  if (RunInChild([&] {
        MakeCorpus(root, count);
        return 0;
      }) != 0) {
    return 1;
  }
  std::printf("corpus %s: %d pictures per size, ready in %.1f s\n", root.c_str(), count,
              Ms(Clock::now() - t0) / 1000.0);
  for (const Size s : kSizes) {
    const std::string folder = SizeFolder(root, s);
    // Only the first count pictures of a kept corpus take part.
    long bytes = 0;
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/photo%03d.jpg", i);
      struct stat st;
      if (stat((folder + name).c_str(), &st) == 0) bytes += st.st_size;
    }
    std::printf("%dx%d: mean file size %.2f MB\n", s.w, s.h,
                static_cast<double>(bytes) / count / 1048576.0);
  }
  int failures = 0;
  for (const Size s : kSizes) {
    for (const bool mode110 : {true, false}) {
      // A bench folder holding exactly count pictures.
      const std::string folder = SizeFolder(root, s) + "-" + std::to_string(count);
      mkdir(folder.c_str(), 0755);
      for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/photo%03d.jpg", i);
        const std::string target = SizeFolder(root, s) + name;
        const std::string link = folder + name;
        unlink(link.c_str());
        if (symlink(target.c_str(), link.c_str()) != 0) std::perror(link.c_str());
      }
      failures += RunInChild([&] { return MeasureOne(argc, argv, folder, s, mode110); }) != 0;
    }
  }
  return failures == 0 ? 0 : 1;
}
