// Label search speed: our search, the straightforward reference, OpenCV's matchTemplate
// (TM_SQDIFF) and one memchr pass over the capture's bytes, on the same synthetic captures with
// a 51 x 24 label. Capture time is excluded everywhere; our time includes decoding and reducing
// the template and reducing what the search reads of the capture.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "bench_scenes.h"
#include "imaging/colour_search.h"
#include "imaging/reference/plain_search.h"
#include "ratio_reporter.h"

namespace bench {
namespace {

struct Size {
  int width, height;
};
constexpr Size kSizes[] = {{1920, 1080}, {800, 600}};
constexpr Scene kScenes[] = {Scene::kPresentNearTop, Scene::kAbsent, Scene::kManyCandidates};

std::string Name(const char* way, Size size, Scene scene) {
  return std::string(way) + "/" + std::to_string(size.width) + "x" + std::to_string(size.height) +
         "/" + SceneName(scene);
}

imaging::MatchPoint Ours(const SceneImages& s) {
  return imaging::SearchBmpTemplate(imaging::ViewOf(s.capture), s.templateBmp);
}

// One memchr pass over every byte of the capture.
const void* PlainScan(const std::vector<uint8_t>& bytes) {
  return std::memchr(bytes.data(), kAbsentByte, bytes.size());
}

cv::Point OpenCvBest(const cv::Mat& capture, const cv::Mat& pattern) {
  cv::Mat scores;
  cv::matchTemplate(capture, pattern, scores, cv::TM_SQDIFF);
  double best = 0;
  cv::Point at;
  cv::minMaxLoc(scores, &best, nullptr, &at, nullptr);
  return at;
}

cv::Mat AsMat(imaging::ColourImage& image) {
  return cv::Mat(image.height, image.width, CV_8UC3, image.pixels.data(),
                 static_cast<size_t>(image.stride()));
}

bool RegisterAll() {
  for (Size size : kSizes) {
    for (Scene scene : kScenes) {
      auto* images = new SceneImages(MakeScene(size.width, size.height, scene));  // lives for the run
      // The three ways must agree before they are timed.
      const imaging::MatchPoint ours = Ours(*images);
      if (ours.x != images->expectedX || ours.y != images->expectedY) {
        std::fprintf(stderr, "%s: found (%d,%d), expected (%d,%d)\n", Name("ours", size, scene).c_str(),
                     ours.x, ours.y, images->expectedX, images->expectedY);
        return false;
      }
      benchmark::RegisterBenchmark(Name("ours", size, scene).c_str(), [images](benchmark::State& st) {
        for (auto _ : st) benchmark::DoNotOptimize(Ours(*images));
      })->Unit(benchmark::kMillisecond)->MinTime(0.5);
      benchmark::RegisterBenchmark(Name("reference", size, scene).c_str(), [images](benchmark::State& st) {
        for (auto _ : st) {
          const imaging::MatchPoint p =
              imaging::reference::SearchPlainly(imaging::ViewOf(images->capture), images->pattern);
          if (p.x != images->expectedX || p.y != images->expectedY) st.SkipWithError("reference disagrees");
        }
      })->Unit(benchmark::kMillisecond)->Iterations(2);
      benchmark::RegisterBenchmark(Name("opencv", size, scene).c_str(), [images](benchmark::State& st) {
        const cv::Mat capture = AsMat(images->capture), pattern = AsMat(images->pattern);
        for (auto _ : st) benchmark::DoNotOptimize(OpenCvBest(capture, pattern));
      })->Unit(benchmark::kMillisecond)->MinTime(0.5);
      benchmark::RegisterBenchmark(Name("scan", size, scene).c_str(), [images](benchmark::State& st) {
        for (auto _ : st) benchmark::DoNotOptimize(PlainScan(images->capture.pixels));
      })->Unit(benchmark::kMillisecond)->MinTime(0.5);
    }
  }
  return true;
}

void PrintTable(const RatioReporter& times) {
  std::printf("\nProcessor time per search (capture excluded; ours includes the template's decoding and reduction)\n");
  std::printf("%-22s %9s %12s %10s %9s %8s %9s %8s\n", "capture/scene", "ours ms", "reference ms",
              "opencv ms", "scan ms", "x ref", "x opencv", "/ scan");
  for (Size size : kSizes) {
    for (Scene scene : kScenes) {
      const double ours = times.Milliseconds(Name("ours", size, scene));
      const double ref = times.Milliseconds(Name("reference", size, scene));
      const double cv = times.Milliseconds(Name("opencv", size, scene));
      const double scan = times.Milliseconds(Name("scan", size, scene));
      const std::string label = std::to_string(size.width) + "x" + std::to_string(size.height) +
                                "/" + SceneName(scene);
      std::printf("%-22s %9.3f %12.1f %10.2f %9.3f %8.0f %9.0f %8.1f\n", label.c_str(), ours, ref,
                  cv, scan, ref / ours, cv / ours, ours / scan);
    }
  }
  const Size full = kSizes[0];
  const double ours = times.Milliseconds(Name("ours", full, Scene::kPresentNearTop));
  const double cv = times.Milliseconds(Name("opencv", full, Scene::kPresentNearTop));
  const double scan = times.Milliseconds(Name("scan", full, Scene::kPresentNearTop));
  std::printf("FindImage 1920x1080: %.2f ms, %.0f times faster than matchTemplate, %.1f times a plain scan\n",
              ours, cv / ours, ours / scan);
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!bench::RegisterAll()) return 1;
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::PrintTable(reporter);
  benchmark::Shutdown();
  return 0;
}
