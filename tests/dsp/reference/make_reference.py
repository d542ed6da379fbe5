#!/usr/bin/python3
"""Reference values for the filter design tests, computed with scipy.

scipy serves only as an independent black box: its analog prototypes,
digital zpk designs and frequency responses, and its complete elliptic
integral. The C++ tests read the files written here and need no Python.

To rerun, with Debian's scipy (apt-get install python3-scipy), from the
repository root:

    /usr/bin/python3 tests/dsp/reference/make_reference.py

It rewrites prototypes.csv, responses.csv and ellipk.csv beside itself.
"""

import os

import numpy as np
from scipy import signal, special

HERE = os.path.dirname(os.path.abspath(__file__))

PROTOTYPE_ORDERS = range(1, 11)
RESPONSE_ORDERS = range(1, 9)
BTYPES = ("lowpass", "highpass", "bandpass", "bandstop")

CHEBYSHEV1_RIPPLES = (0.1, 1.0, 3.0)
CHEBYSHEV2_STOPS = (20.0, 48.0, 80.0)
# Elliptic designs here are given by pass-band ripple and roll-off; the
# stop-band edge sits at 5 * exp(rolloff - 1) + 1 times the pass-band edge.
ELLIPTIC_SETTINGS = ((0.1, 1.0), (1.0, 0.0), (3.0, -1.0), (0.5, -5.0))

# Frequencies as fractions of the sample rate.
FREQS = np.geomspace(5e-4, 0.4995, 48)

# Sample rate, low/high-pass cutoff, band centre and band width (Hz).
CASES = ((44100.0, 1000.0, 2400.0, 4000.0),
         (48000.0, 5000.0, 1000.0, 300.0),
         (96000.0, 15000.0, 12000.0, 6000.0))


def elliptic_stop_db(order, ripple_db, rolloff):
    """Stop-band attenuation of the elliptic design with the selectivity that
    the roll-off sets, from the degree equation through the nome."""
    k = 1.0 / (5.0 * np.exp(rolloff - 1.0) + 1.0)
    nome = np.exp(-np.pi * special.ellipk(1.0 - k * k) / special.ellipk(k * k))
    q1 = nome ** order
    product = 1.0
    for m in range(1, 60):
        product *= ((1.0 + q1 ** (2 * m)) / (1.0 + q1 ** (2 * m - 1))) ** 4
    k1 = 4.0 * np.sqrt(q1) * product
    return 10.0 * np.log10(1.0 + (10.0 ** (ripple_db / 10.0) - 1.0) / (k1 * k1))


def family_settings(family, index):
    """(arg1, arg2) of a family: ripple, stop-band dB or ripple and roll-off."""
    if family == "chebyshev1":
        return CHEBYSHEV1_RIPPLES[index % 3], 0.0
    if family == "chebyshev2":
        return CHEBYSHEV2_STOPS[index % 3], 0.0
    if family == "elliptic":
        return ELLIPTIC_SETTINGS[index % len(ELLIPTIC_SETTINGS)]
    return 0.0, 0.0


def analog(family, order, arg1, arg2):
    if family == "butterworth":
        return signal.buttap(order)
    if family == "chebyshev1":
        return signal.cheb1ap(order, arg1)
    if family == "chebyshev2":
        return signal.cheb2ap(order, arg1)
    if family == "bessel":
        return signal.besselap(order, norm="delay")
    return signal.ellipap(order, arg1, elliptic_stop_db(order, arg1, arg2))


def digital(family, order, btype, wn, fs, arg1, arg2):
    kw = dict(btype=btype, fs=fs, output="zpk")
    if family == "butterworth":
        return signal.butter(order, wn, **kw)
    if family == "chebyshev1":
        return signal.cheby1(order, arg1, wn, **kw)
    if family == "chebyshev2":
        return signal.cheby2(order, arg1, wn, **kw)
    if family == "bessel":
        return signal.bessel(order, wn, norm="delay", **kw)
    return signal.ellip(order, arg1, elliptic_stop_db(order, arg1, arg2), wn, **kw)


def write_prototypes(path):
    with open(path, "w") as out:
        out.write("# family,order,arg1,arg2,kind,re,im: analog poles (p) and finite zeros (z)\n")
        for family in ("butterworth", "chebyshev1", "chebyshev2", "bessel", "elliptic"):
            settings = {"chebyshev1": [(r, 0.0) for r in CHEBYSHEV1_RIPPLES],
                        "chebyshev2": [(s, 0.0) for s in CHEBYSHEV2_STOPS],
                        "elliptic": list(ELLIPTIC_SETTINGS)}.get(family, [(0.0, 0.0)])
            for arg1, arg2 in settings:
                for order in PROTOTYPE_ORDERS:
                    z, p, _ = analog(family, order, arg1, arg2)
                    for kind, values in (("p", p), ("z", z)):
                        for v in np.atleast_1d(values):
                            out.write("%s,%d,%.17g,%.17g,%s,%.17g,%.17g\n"
                                      % (family, order, arg1, arg2, kind, v.real, v.imag))


def write_responses(path):
    with open(path, "w") as out:
        out.write("# family,btype,order,fs,f1,f2,arg1,arg2,|H| at each frequency of the first row;\n")
        out.write("# f1 is the cutoff (low and high pass) or the band centre, f2 the band width\n")
        out.write("freqs," + ",".join("%.17g" % f for f in FREQS) + "\n")
        for family in ("butterworth", "chebyshev1", "chebyshev2", "bessel", "elliptic"):
            for btype in BTYPES:
                for order in RESPONSE_ORDERS:
                    for index, (fs, cutoff, centre, width) in enumerate(CASES):
                        arg1, arg2 = family_settings(family, index + order)
                        if btype in ("lowpass", "highpass"):
                            f1, f2, wn = cutoff, 0.0, cutoff
                        else:
                            f1, f2 = centre, width
                            wn = [centre - width / 2, centre + width / 2]
                        z, p, k = digital(family, order, btype, wn, fs, arg1, arg2)
                        _, h = signal.freqz_zpk(z, p, k, worN=2 * np.pi * FREQS)
                        out.write("%s,%s,%d,%.17g,%.17g,%.17g,%.17g,%.17g," %
                                  (family, btype, order, fs, f1, f2, arg1, arg2))
                        out.write(",".join("%.12e" % m for m in np.abs(h)) + "\n")


def write_ellipk(path):
    moduli = [0.0, 1e-8, 0.1, 0.25, 1 / 2.8394, 0.5, 0.7, 0.9, 0.99, 0.999999]
    with open(path, "w") as out:
        out.write("# k,K(k): complete elliptic integral of the first kind by modulus\n")
        for k in moduli:
            out.write("%.17g,%.17g\n" % (k, special.ellipk(k * k)))


if __name__ == "__main__":
    write_prototypes(os.path.join(HERE, "prototypes.csv"))
    write_responses(os.path.join(HERE, "responses.csv"))
    write_ellipk(os.path.join(HERE, "ellipk.csv"))
