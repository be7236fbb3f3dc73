#include "cli/CliHelp.h"

#include "analysis/Baseline.h"
#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"
#include "analysis/Spectra.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "model/AnalysisSettings.h"
#include "text/NumberText.h"

namespace {

std::string Number(long double value) {
  return FormatGeneral(value);
}

}  // namespace

std::string UsageText() {
  return "usage: torvik-cli info FILE...\n"
         "       torvik-cli params [OPTIONS] FILE...\n"
         "       torvik-cli events [--from S] [--to S] [--bound L] [--gap N] FILE...\n"
         "       torvik-cli drops [--from S] [--to S] [--fall-level G] [--min-fall MS] FILE...\n"
         "       torvik-cli convert FILE.dat OUT.csv\n"
         "       torvik-cli export [--from S] [--to S] [--units ms2|g] FILE.dat OUT.csv|OUT.xlsx\n"
         "       torvik-cli report [--from S] [--to S] [ANALYSIS OPTIONS] FILE.dat OUT.pdf\n"
         "       torvik-cli filter --kind K --response R --order N --f1 HZ [--f2 HZ] --rate HZ\n"
         "                         [--ripple DB] [--manual-reset] [--design] < NUMBERS\n"
         "       torvik-cli psd [--from S] [--to S] [--segment N] [--band LO:HI] [--csv] FILE...\n"
         "       torvik-cli srs [--from S] [--to S] [--fmin F] [--fmax F] [--per-octave B] [--q "
         "Q]\n"
         "                      [--csv] FILE...\n"
         "       torvik-cli --help | -h | --version\n";
}

std::string HelpText() {
  const DropSettings drops;
  const PsdOptions psd;
  const SrsOptions srs;
  return "\n"
         "FILE is a logger recording (*.dat, any case) or a codes text file (X;Y;Z per line).\n"
         "Each result is one line of JSON on stdout; problems go to stderr. A file that\n"
         "cannot be read is reported and the others are still processed (exit 1).\n"
         "\n"
         "params options:\n"
         "  --from S         interval start, seconds (default: the first sample)\n"
         "  --to S           interval end, seconds (default: the last sample); a negative,\n"
         "                   reversed or past-the-end interval is replaced by the whole\n"
         "                   recording, as the window does: the JSON interval (first, last,\n"
         "                   from_s, to_s, replaced) shows what was used, stderr says so\n"
         "  --bound L        exceedance bound, m/s^2 (default " +
         Number(kDefaultBoundLevel) +
         ")\n"
         "  --codes          rows in ADC codes instead of physical units\n"
         "  --invert         invert the acceleration signs\n"
         "  --cutoff HZ      vibration-speed high-pass cut-off, Hz (default " +
         Number(kDefaultCutoff) +
         "); its\n"
         "                   magnitude is used, raised to 1 and lowered to " +
         Number(HighestStableCutoff()) +
         ",\n"
         "                   above which its filter would be unstable (stderr says so)\n"
         "  --correct-speed  apply the linear-speed drift correction\n"
         "\n"
         "convert writes the codes text file OUT.csv under a temporary name and renames it;\n"
         "it never overwrites its input.\n"
         "\n"
         "export writes every sample of the interval in physical units: time_s,\n"
         "accel_x, accel_y, accel_z (m/s^2, calibrated, never inverted), temperature_c,\n"
         "lin_speed_x and vibro_speed_x (m/s, cut-off " +
         Number(kDefaultCutoff) +
         " Hz). OUT.csv is one table (comma,\n"
         "point, CR LF); OUT.xlsx a workbook with a sheet \"Сведения\" first. Like\n"
         "convert it writes under a temporary name and never overwrites its input:\n"
         "  --from S, --to S as for params\n"
         "  --units U        ms2 (default) or g: accelerations in g are accel_x_g ...\n"
         "\n"
         "report writes the analysis report of the interval as a three-page A4 PDF\n"
         "(no display needed): the parameter rows and exceedances, the events and drops,\n"
         "the spectra. It takes the options of params (--bound is also the events'\n"
         "threshold, above 0), events (--gap), drops and psd and srs (without --csv);\n"
         "its numbers are those of the same commands with the same options.\n"
         "\n"
         "filter reads one number per line on stdin (LF or CR LF, '.' as decimal\n"
         "separator) and writes each filtered value on its own line:\n"
         "  --kind K         butterworth, chebyshev or bessel (required)\n"
         "  --response R     lowpass, highpass, bandpass or bandstop (required)\n"
         "  --order N        whole number 1 ... 8 (required)\n"
         "  --f1 HZ          first corner frequency, Hz (required)\n"
         "  --f2 HZ          second corner of band designs, Hz (default: --f1)\n"
         "  --rate HZ        sample rate, Hz, above 0 (required)\n"
         "  --ripple DB      Chebyshev pass-band ripple, dB (default " +
         Number(TdspIIRFilterResource{}.Ripple) +
         ")\n"
         "  --manual-reset   keep the delay lines on redesign\n"
         "  --design         print the design as JSON instead of filtering\n"
         "A design with an error or with poles not inside the unit circle exits 1.\n"
         "\n"
         "events: shock events on X, Y, Z and the resultant R of the accelerations,\n"
         "m/s^2, never inverted, less each axis's rest level: the median over the interval\n"
         "widened by " +
         Number(kBaselineMargin) +
         " samples on each side (the JSON's baseline, per axis, m/s^2):\n"
         "  --from S, --to S as for params\n"
         "  --bound L        threshold, m/s^2, above 0 (default " +
         Number(ShockSettings{}.Threshold) +
         ")\n"
         "  --gap N          runs fewer than N quiet samples apart join into one event\n"
         "                   (whole number, default " +
         Number(ShockSettings{}.Gap) +
         ")\n"
         "\n"
         "drops: free falls of the logger, where the magnitude of the three axes stays\n"
         "below the fall level, with their fall time, height and impact speed, and the\n"
         "impact that ended them: the largest magnitude in the " +
         Number(kImpactSamples) +
         " samples after the fall\n"
         "(null when the recording ends first); the JSON is in m, s, m/s and m/s^2:\n"
         "  --from S, --to S as for params\n"
         "  --fall-level G   free fall below G times g, above 0 and below 1 (default " +
         Number(drops.FallLevel) +
         ")\n"
         "  --min-fall MS    shortest fall, ms, at least 1 (default " +
         Number(drops.MinFall) +
         ")\n"
         "\n"
         "psd: Welch power spectral density per axis, (m/s^2)^2/Hz, Hann window, half overlap:\n"
         "  --from S, --to S as for params\n"
         "  --segment N      segment length, samples, at least " +
         Number(kPsdShortestSegment) + " (default " + Number(psd.Segment) +
         "; at most the\n"
         "                   interval length is used)\n"
         "  --band LO:HI     band of the rms, Hz (default " +
         Number(psd.BandLow) + ":" + Number(psd.BandHigh) +
         ")\n"
         "srs: maximax absolute-acceleration shock response spectrum per axis, m/s^2, of\n"
         "each axis less its rest level (as for events), followed by half a period of the\n"
         "lowest frequency of zeros, so the oscillators' ringing after the interval counts:\n"
         "  --from S, --to S as for params\n"
         "  --fmin F         lowest natural frequency, Hz, at least " +
         Number(kSrsLowestFrequency) + " (default " + Number(srs.MinFrequency) +
         ")\n"
         "  --fmax F         highest natural frequency, Hz, below " +
         Number(kSrsFrequencyBound) + " (default " + Number(srs.MaxFrequency) +
         ")\n"
         "  --per-octave B   frequencies per octave, 1 ... " +
         Number(kSrsMostPerOctave) + " (default " + Number(srs.PerOctave) + "); at most " +
         Number(kSrsMostFrequencies) +
         "\n"
         "                   frequencies in all\n"
         "  --q Q            quality factor, above " +
         Number(kSrsQBound) + " (default " + Number(srs.Q) +
         ")\n"
         "psd and srs take --csv to write a CSV table per file instead of JSON.\n"
         "\n"
         "Each command takes only its own options. Numbers are finite and written with a\n"
         "point. A result holding a number that is not finite is not printed: that file\n"
         "fails. Exit status: 0 success, 1 a file or the output failed, 2 a wrong command\n"
         "line.\n";
}
