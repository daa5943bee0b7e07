#pragma once

// Converts every file of g_fileSet while g_progress.running is set; runs on
// the job's worker thread. Returns 0.
int ConversionWorker(void* unused);

// Converts g_job.inputPath; true when the output file was saved.
bool convertFile();

// The PhotoCD subimage worth a second extraction for a picture of that size:
// 3, 4 or 5 by its short side when it is wider than 1.6 to 1; 0 otherwise.
int photoCdLevelForSize(int width, int height);

// Sets the saved output's last-write time by the fileTimestamp setting.
void setOutputFileDate();
