#pragma once

#include "engine/job_state.h"
#include "engine/photocd_decoder_choice.h"

struct ConversionSettings;

// Converts every file of g_fileSet while g_progress.running is set, with the
// settings as g_settings holds them when it starts; runs on the job's worker
// thread. Returns 0.
int ConversionWorker(void* unused);

// Converts job.inputPath into job.outputPath, which it sets; true when the
// output file was saved. The decoder decides who decodes a pac: convert,
// with the built-in decoder when convert gives nothing, or the built-in
// decoder alone, which writes no temporary picture.
bool convertFile(const ConversionSettings& settings, JobState& job, PhotoCdDecoder decoder = PhotoCdDecoder::Convert);

// convert's subimage worth a second extraction for a picture of that size:
// the Base (3), 4Base (4) or 16Base (5) by its short side when it is wider
// than 1.6 to 1; 0 otherwise.
int subimageWorthExtracting(int width, int height);

// Sets the saved output's last-write time by the fileTimestamp setting.
void setOutputFileDate(const ConversionSettings& settings, const JobState& job);
