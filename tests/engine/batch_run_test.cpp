#include <FreeImage.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/batch_mode.h"
#include "engine/batch_plan.h"
#include "engine/batch_run.h"
#include "engine/output_encoding.h"
#include "platform/machine.h"
#include "settings/vocabularies.h"
#include "test_support.h"

namespace {

struct Ended {
    BatchTally tally;
    std::map<std::string, std::string> outputs;  // name, content
    std::vector<BatchFileResult> results;        // in the order of the plan
};

// Converts the inputs with that many workers into out, flat.
Ended convertFlat(const std::vector<BatchInput>& inputs, const std::string& out, int workers)
{
    ConversionSettings settings;
    settings.keepSubfolders = 0;
    JobState job = newJob();
    job.outputFolder = out;
    job.outputExt = "jpg";
    job.outputFif = FIF_JPEG;
    chooseOutputEncoding(settings, job);
    BatchRun run(settings, job, planBatch(settings, job, inputs), workers, false);
    run.start();
    Ended ended;
    ended.results.resize(inputs.size());
    while (!run.ended())
        for (BatchFileResult& result : run.awaitResults(50))
            ended.results[result.index] = std::move(result);
    ended.tally = run.tally();
    for (const std::string& name : namesIn(out))
        ended.outputs[name] = readFile(out + name);
    return ended;
}

}  // namespace

// Run under ThreadSanitizer as well (scripts/run-sanitizer-tests.sh).
TEST(BatchRun, ThreeWorkersGiveWhatOneGives)
{
    ScratchFolder folder;
    std::vector<BatchInput> inputs;
    for (const auto& [sample, place] : std::vector<std::pair<std::string, std::string>>{{"kodim23.pcd", "d1/a.pcd"},
                                                                                        {"kodim04.pcd", "d1/b.pcd"},
                                                                                        {"kodim04.pcd", "d2/a.pcd"},
                                                                                        {"", "d2/c.pcd"},
                                                                                        {"kodim23.pcd", "d2/d.pcd"}}) {
        std::filesystem::create_directories(folder.path + place.substr(0, 3));
        writeFile(folder.path + place, sample.empty() ? "not a picture" : readFile(testDataPath(sample)));
        inputs.push_back({folder.path + place, place.substr(0, 3)});
    }
    std::filesystem::create_directories(folder.path + "one");
    std::filesystem::create_directories(folder.path + "three");

    const Ended one = convertFlat(inputs, folder.path + "one/", 1);
    const Ended three = convertFlat(inputs, folder.path + "three/", 3);
    for (const Ended& ended : {one, three}) {
        EXPECT_EQ(ended.tally.converted, 4);
        EXPECT_EQ(ended.tally.failed, 1);
        EXPECT_EQ(ended.results[3].outcome.failure, FileFailure::NotAnImagePac);
        EXPECT_EQ(ended.results[2].clashWith, 0u);
    }
    ASSERT_EQ(three.outputs.size(), 4u);
    EXPECT_TRUE(three.outputs == one.outputs) << "the same names with the same pictures";
    EXPECT_EQ(three.results[2].outcome.outputPath, folder.path + "three/a-2.jpg");
    EXPECT_EQ(three.results[2].clashName, folder.path + "three/a.jpg");
}

TEST(BatchRun, TheDefaultJobsAreOneACoreAsFarAsTheFreeMemoryGoes)
{
    constexpr int64_t kMiB = int64_t{1} << 20;
    EXPECT_EQ(defaultBatchJobs(8, 64 * 1024 * kMiB, kConvertDecoder), 8);
    EXPECT_EQ(defaultBatchJobs(8, 1000 * kMiB, kConvertDecoder), 3);
    EXPECT_EQ(defaultBatchJobs(8, 100 * kMiB, kConvertDecoder), 1);
    EXPECT_EQ(defaultBatchJobs(4, std::nullopt, kConvertDecoder), 4);
    // The built-in decoder needs a fraction of convert's memory.
    EXPECT_EQ(defaultBatchJobs(8, 1000 * kMiB, kBuiltInDecoder), 8);
    EXPECT_EQ(defaultBatchJobs(8, 300 * kMiB, kBuiltInDecoder), 3);
    // This machine's figures, read as a batch reads them.
    const std::optional<int64_t> available = availableMemoryBytes();
    ASSERT_TRUE(available.has_value());
    EXPECT_GT(*available, 16 * kMiB);
    EXPECT_LT(*available, int64_t{1} << 50);
    EXPECT_GE(usableProcessorCount(), 1);
}
