#!/usr/bin/env python3
"""Reference values for the colour tools, from the published formulas alone.

Python's standard library only. The RGB-to-XYZ matrices are derived here
from the primaries' and white points' chromaticities (sRGB, Display P3: CSS
Color 4), the Bradford adaptation from its cone matrix, OKLab from the
matrices CSS Color 4 publishes (inverted here), CIE Lab from the CIE
formulas, the simulations from Machado, Oliveira and Fernandes (2009) and
contrast from WCAG 2. The core tests hold values this script prints.

    python3 scripts/color_reference.py            # every table
    python3 scripts/color_reference.py 3366CC     # one colour in full
"""
import math
import sys
from decimal import ROUND_HALF_UP, Decimal
from fractions import Fraction as F

# --- matrices -----------------------------------------------------------


def mat_mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def mat_vec(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def mat_inv(m):
    (a, b, c), (d, e, f), (g, h, i) = m
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    return [[(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det],
            [(f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det],
            [(d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det]]


def white_xyz(x, y):
    return [x / y, F(1), (1 - x - y) / y]


def rgb_to_xyz_matrix(primaries, white):
    cols = [white_xyz(x, y) for x, y in primaries]
    m = [[cols[j][i] for j in range(3)] for i in range(3)]
    s = mat_vec(mat_inv(m), white_xyz(*white))
    return [[m[i][j] * s[j] for j in range(3)] for i in range(3)]


def floats(m):
    return [[float(x) for x in row] for row in m]


D65 = (F(3127, 10000), F(3290, 10000))
D50 = (F(3457, 10000), F(3585, 10000))
SRGB_TO_XYZ = rgb_to_xyz_matrix([(F("0.64"), F("0.33")), (F("0.30"), F("0.60")), (F("0.15"), F("0.06"))], D65)
P3_TO_XYZ = rgb_to_xyz_matrix([(F("0.680"), F("0.320")), (F("0.265"), F("0.690")), (F("0.150"), F("0.060"))], D65)
XYZ_TO_SRGB = mat_inv(SRGB_TO_XYZ)
XYZ_TO_P3 = mat_inv(P3_TO_XYZ)

BRADFORD = [[F("0.8951"), F("0.2664"), F("-0.1614")],
            [F("-0.7502"), F("1.7135"), F("0.0367")],
            [F("0.0389"), F("-0.0685"), F("1.0296")]]


def bradford(src, dst):
    s = mat_vec(BRADFORD, white_xyz(*src))
    d = mat_vec(BRADFORD, white_xyz(*dst))
    scale = [[d[i] / s[i] if i == j else F(0) for j in range(3)] for i in range(3)]
    return mat_mul(mat_inv(BRADFORD), mat_mul(scale, BRADFORD))


D65_TO_D50 = bradford(D65, D50)
D50_TO_D65 = mat_inv(D65_TO_D50)
D50_WHITE = [float(x) for x in white_xyz(*D50)]

# OKLab as CSS Color 4 publishes it: XYZ (D65) to cone responses, then Lab.
XYZ_TO_LMS = [[0.8190224379967030, 0.3619062600528904, -0.1288737815209879],
              [0.0329836539323885, 0.9292868615863434, 0.0361446663506424],
              [0.0481771893596242, 0.2642395317527308, 0.6335478284694309]]
LMS_TO_OKLAB = [[0.2104542683093140, 0.7936177747023054, -0.0040720430116193],
                [1.9779985324311684, -2.4285922420485799, 0.4505937096174110],
                [0.0259040424655478, 0.7827717124575296, -0.8086757549230774]]
LMS_TO_XYZ = mat_inv(XYZ_TO_LMS)
OKLAB_TO_LMS = mat_inv(LMS_TO_OKLAB)

MACHADO = {
    "P": [[0.152286, 1.052583, -0.204868], [0.114503, 0.786281, 0.099216], [-0.003882, -0.048116, 1.051998]],
    "D": [[0.367322, 0.860646, -0.227968], [0.280085, 0.672501, 0.047413], [-0.011820, 0.042940, 0.968881]],
    "T": [[1.255528, -0.076749, -0.178779], [-0.078411, 0.930809, 0.147602], [0.004733, 0.691367, 0.303900]],
}

# --- conversions --------------------------------------------------------


def decode(v):
    a = abs(v)
    lin = a / 12.92 if a <= 0.04045 else ((a + 0.055) / 1.055) ** 2.4
    return math.copysign(lin, v)


def encode(v):
    a = abs(v)
    enc = a * 12.92 if a <= 0.0031308 else 1.055 * a ** (1 / 2.4) - 0.055
    return math.copysign(enc, v)


def to_byte(linear):
    """Clip, encode, round half up."""
    linear = min(max(linear, 0.0), 1.0)
    return math.floor(encode(linear) * 255 + 0.5)


def linear_of(rgb):
    return [decode(c / 255) for c in rgb]


def bytes_of(linear):
    return tuple(to_byte(c) for c in linear)


def xyz_of(linear):
    return mat_vec(floats(SRGB_TO_XYZ), linear)


def cbrt(v):
    return math.copysign(abs(v) ** (1 / 3), v)


def oklab_of_xyz(xyz):
    lms = [cbrt(v) for v in mat_vec(XYZ_TO_LMS, xyz)]
    return mat_vec(LMS_TO_OKLAB, lms)


def linear_of_oklab(lab):
    lms = [v ** 3 for v in mat_vec(OKLAB_TO_LMS, lab)]
    return mat_vec(floats(XYZ_TO_SRGB), mat_vec(LMS_TO_XYZ, lms))


def oklch_of(rgb):
    L, a, b = oklab_of_xyz(xyz_of(linear_of(rgb)))
    return L, math.hypot(a, b), math.degrees(math.atan2(b, a)) % 360


EPS, KAPPA = 216 / 24389, 24389 / 27


def lab_of(rgb):
    x, y, z = (v / w for v, w in zip(mat_vec(floats(D65_TO_D50), xyz_of(linear_of(rgb))), D50_WHITE))
    f = [cbrt(t) if t > EPS else (KAPPA * t + 16) / 116 for t in (x, y, z)]
    return 116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])


def in_gamut(linear):
    return all(-1e-7 <= c <= 1 + 1e-7 for c in linear)


def oklch_mapped(L, C, H):
    """The largest chroma at L and H inside sRGB, by bisection to 0.0001."""
    if L <= 0:
        return 0, 0, 0
    if L >= 1:
        return 255, 255, 255

    def lin(c):
        return linear_of_oklab([L, c * math.cos(math.radians(H)), c * math.sin(math.radians(H))])

    if not in_gamut(lin(C)):
        lo, hi = 0.0, C
        while hi - lo > 0.0001:
            mid = (lo + hi) / 2
            if in_gamut(lin(mid)):
                lo = mid
            else:
                hi = mid
        C = lo
    return bytes_of(lin(C))


# --- texts ----------------------------------------------------------------


def fixed(x, decimals):
    """Half away from zero on the exact binary value; never "-0"."""
    q = Decimal(x).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
    text = f"{q:.{decimals}f}"
    return text[1:] if text.startswith("-") and set(text[1:]) <= set("0.") else text


def three(c):
    q = (Decimal(c) / Decimal(255)).quantize(Decimal("0.001"), rounding=ROUND_HALF_UP)
    return f"{q:.3f}"


def polar(name, L, C, H, d):
    c = fixed(C, d)
    h = fixed(H, 2)
    if set(c) <= set("0.") or h == "360.00":
        h = "0.00"
    return f"{name}({fixed(L, d)} {c} {h})"


def pct(num, den):
    return 0 if den == 0 else int((F(100 * num, den) + F(1, 2)) // 1)


def hue_exact(r, g, b):
    hi, lo = max(r, g, b), min(r, g, b)
    d = hi - lo
    if d == 0:
        return F(0)
    if hi == r:
        h = F(60 * (g - b), d)
    elif hi == g:
        h = F(60 * (b - r), d) + 120
    else:
        h = F(60 * (r - g), d) + 240
    return h % 360


def round_frac(x, d):
    q = Decimal(x.numerator) / Decimal(x.denominator)
    return f"{q.quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_UP):.{d}f}"


def byte_exact(unit):
    unit = min(max(unit, F(0)), F(1))
    return int((unit * 255 + F(1, 2)) // 1)


def hsl_back(h, s, l):
    """CSS Color 4 hsl to 8-bit sRGB in exact arithmetic."""
    s, l = min(max(s / 100, F(0)), F(1)), min(max(l / 100, F(0)), F(1))
    a = s * min(l, 1 - l)

    def f(n):
        k = (n + h / 30) % 12
        return l - a * max(-1, min(k - 3, 9 - k, 1))
    return byte_exact(f(0)), byte_exact(f(8)), byte_exact(f(4))


def hwb_back(h, w, b):
    w, b = min(max(w / 100, F(0)), F(1)), min(max(b / 100, F(0)), F(1))
    if w + b >= 1:
        g = byte_exact(w / (w + b))
        return g, g, g

    def f(n):
        k = (n + h / 30) % 12
        pure = F(1, 2) - F(1, 2) * max(-1, min(k - 3, 9 - k, 1))
        return byte_exact(pure * (1 - w - b) + w)
    return f(0), f(8), f(4)


def hue_text(h, d):
    t = round_frac(h, d)
    return round_frac(F(0), d) if t.startswith("360") else t


def shortest(rgb, parts, back, make):
    for d in (0, 1, 2):
        texts = [hue_text(parts[0], d)] + [round_frac(p, d) for p in parts[1:]]
        if d == 2 or back(*(F(t) for t in texts)) == rgb:
            return make(texts)


def fixed_value(x, d):
    return float(Decimal(fixed(x, d)))


def read_back(numbers, d, to_linear, polar=False, hue_decimals=None):
    """The numbers as printed with d decimals (a polar hue with its own),
    read back to 8 bits: (hex, outside sRGB)."""
    shown = [fixed_value(v, d) for v in numbers]
    if polar:
        shown[2] = fixed_value(numbers[2], hue_decimals)
        if shown[1] == 0 or shown[2] >= 360:
            shown[2] = 0.0
    return shown, mapped_linear(to_linear(shown))


def exact_text(rgb, name, numbers, base, to_linear, polar=False):
    """Four decimals (a polar hue two) and up to two more where fewer would
    paste back as another colour."""
    for extra in (0, 1, 2):
        d = base + extra
        shown, back = read_back(numbers, d, to_linear, polar, 2 + extra)
        if back == (hexs(rgb), False) or extra == 2:
            digits = [fixed(v, d) for v in shown[:2]] + [fixed(shown[2], 2 + extra if polar else d)]
            return f"{name}{' '.join(digits)})"


def oklch_linear(v):
    h = math.radians(v[2])
    return linear_of_oklab([v[0], v[1] * math.cos(h), v[1] * math.sin(h)])


def formats(rgb):
    r, g, b = rgb
    lin = linear_of(rgb)
    xyz = xyz_of(lin)
    ok = oklab_of_xyz(xyz)
    L, C, H = oklch_of(rgb)
    lab = lab_of(rgb)
    p3 = [encode(v) for v in mat_vec(floats(XYZ_TO_P3), xyz)]
    hi, lo = max(rgb), min(rgb)
    spread = hi + lo if hi + lo <= 255 else 510 - hi - lo
    hsl = [hue_exact(r, g, b), F(100 * (hi - lo), spread) if spread else F(0), F(100 * (hi + lo), 510)]
    hwb = [hue_exact(r, g, b), F(100 * lo, 255), F(100 * (255 - hi), 255)]
    return {
        "hsl": shortest(rgb, hsl, hsl_back, lambda t: f"hsl({t[0]}, {t[1]}%, {t[2]}%)"),
        "hwb": shortest(rgb, hwb, hwb_back, lambda t: f"hwb({t[0]} {t[1]}% {t[2]}%)"),
        "oklch": exact_text(rgb, "oklch(", [L, C, H], 4, oklch_linear, polar=True),
        "lab": "lab(" + " ".join(fixed(v, 2) for v in lab) + ")",
        "lch": polar("lch", lab[0], math.hypot(lab[1], lab[2]), math.degrees(math.atan2(lab[2], lab[1])) % 360, 2),
        "oklab": exact_text(rgb, "oklab(", ok, 4, linear_of_oklab),
        "display-p3": "color(display-p3 " + " ".join(fixed(v, 4) for v in p3) + ")",
        "srgb-linear": "color(srgb-linear " + " ".join(fixed(v, 4) for v in lin) + ")",
        "xyz-d65": exact_text(rgb, "color(xyz-d65 ", xyz, 4, lambda v: mat_vec(floats(XYZ_TO_SRGB), v)),
        "cmyk": f"cmyk({pct(hi - r, hi)}%, {pct(hi - g, hi)}%, {pct(hi - b, hi)}%, {pct(255 - hi, 255)}%)",
        "vec4": f"vec4({three(r)}, {three(g)}, {three(b)}, 1.0)",
        "android": f"#FF{r:02X}{g:02X}{b:02X}",
        "dotnet": f"Color.FromArgb(255, {r}, {g}, {b})",
        "swiftui": f"Color(red: {three(r)}, green: {three(g)}, blue: {three(b)})",
    }


# --- the tools ------------------------------------------------------------

SCALE = [0.97, 0.93, 0.87, 0.78, 0.68, 0.58, 0.48, 0.39, 0.30, 0.22, 0.15]
HARMONIES = [("complementary", [180]), ("analogous", [-30, 30]), ("triadic", [120, 240]),
             ("split complementary", [150, 210]), ("tetradic", [90, 180, 270])]


def lch_source(rgb):
    L, C, H = oklch_of(rgb)
    return (L, 0.0, 0.0) if C < 0.0001 else (L, C, H)


def hexs(rgb):
    return "%02X%02X%02X" % tuple(rgb)


def scale(rgb):
    _, C, H = lch_source(rgb)
    return [hexs(oklch_mapped(L, C, H)) for L in SCALE]


def harmonies(rgb):
    L, C, H = lch_source(rgb)
    return [(name, [hexs(oklch_mapped(L, C, H + t)) for t in turns]) for name, turns in HARMONIES]


def simulate(rgb, kind):
    lin = linear_of(rgb)
    if kind == "A":
        y = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]
        return bytes_of([y, y, y])
    return bytes_of(mat_vec(MACHADO[kind], lin))


def luminance(rgb):
    lin = linear_of(rgb)
    return 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]


def ratio(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def fix(current, comparison, minimum):
    if ratio(current, comparison) >= minimum:
        return hexs(current)
    L0, C, H = lch_source(current)

    def passes(L):
        return ratio(oklch_mapped(L, C, H), comparison) >= minimum

    def boundary(fail, ok):
        while abs(ok - fail) > 0.0001:
            mid = (fail + ok) / 2
            if passes(mid):
                ok = mid
            else:
                fail = mid
        return ok

    lighter = boundary(L0, 1.0) if passes(1.0) else None
    darker = boundary(L0, 0.0) if passes(0.0) else None
    if lighter is None and darker is None:
        return None
    if lighter is not None and (darker is None or lighter - L0 <= L0 - darker):
        return hexs(oklch_mapped(lighter, C, H))
    return hexs(oklch_mapped(darker, C, H))


def ratio_floor(r):
    return f"{math.floor(r * 100 + 1e-9) / 100:.2f}:1"


def distance(a, b):
    pa, pb = (oklab_of_xyz(xyz_of(linear_of(c))) for c in (a, b))
    return math.dist(pa, pb)


def hard_to_tell(a, b):
    if distance(a, b) < 0.04:
        return ""
    return "".join(k for k in "PDT" if distance(simulate(a, k), simulate(b, k)) < 0.04)


# --- parse references: each CSS form worked forward to 8 bits -------------


def parse_lab(L, a, b):
    fy = (L + 16) / 116
    fx, fz = a / 500 + fy, fy - b / 200
    x = fx ** 3 if fx ** 3 > EPS else (116 * fx - 16) / KAPPA
    y = fy ** 3 if L > KAPPA * EPS else L / KAPPA
    z = fz ** 3 if fz ** 3 > EPS else (116 * fz - 16) / KAPPA
    xyz = mat_vec(floats(D50_TO_D65), [x * D50_WHITE[0], y * D50_WHITE[1], z * D50_WHITE[2]])
    return mapped_linear(mat_vec(floats(XYZ_TO_SRGB), xyz))


def mapped_linear(lin):
    """8 bits, or through OKLCH when a channel lies a step or more past 0..255."""
    if all(-1 <= encode(c) * 255 < 256 for c in lin):
        return hexs(bytes_of(lin)), False
    L, a, b = oklab_of_xyz(mat_vec(floats(SRGB_TO_XYZ), lin))
    return hexs(oklch_mapped(L, math.hypot(a, b), math.degrees(math.atan2(b, a)) % 360)), True


PARSE_FORMS = [
    ("lab(44.12 10.95 -59.09)", lambda: parse_lab(44.12, 10.95, -59.09)),
    ("lab(50% 40% -20%)", lambda: parse_lab(50, 50, -25)),
    ("lch(44.12 60.09 280.5)", lambda: parse_lab(44.12, 60.09 * math.cos(math.radians(280.5)),
                                                 60.09 * math.sin(math.radians(280.5)))),
    ("lch(70 150 120)", lambda: parse_lab(70, 150 * math.cos(math.radians(120)), 150 * math.sin(math.radians(120)))),
    ("oklab(0.5325 -0.0225 -0.1663)", lambda: mapped_linear(linear_of_oklab([0.5325, -0.0225, -0.1663]))),
    ("oklch(0.7 0.4 150)", lambda: mapped_linear(linear_of_oklab([0.7, 0.4 * math.cos(math.radians(150)),
                                                                  0.4 * math.sin(math.radians(150))]))),
    ("oklch(60% 50% 0.5turn)", lambda: mapped_linear(linear_of_oklab([0.6, -0.2, 0.2 * math.sin(math.pi)]))),
    ("color(display-p3 1 0 0)", lambda: mapped_linear(mat_vec(floats(XYZ_TO_SRGB), mat_vec(floats(P3_TO_XYZ), [1, 0, 0])))),
    ("color(display-p3 0.2499 0.3952 0.7736)", lambda: mapped_linear(mat_vec(floats(XYZ_TO_SRGB), mat_vec(
        floats(P3_TO_XYZ), [decode(0.2499), decode(0.3952), decode(0.7736)])))),
    ("color(srgb-linear 0.0331 0.1329 0.6038)", lambda: mapped_linear([0.0331, 0.1329, 0.6038])),
    ("color(xyz-d65 0.1701 0.1457 0.5904)", lambda: mapped_linear(mat_vec(floats(XYZ_TO_SRGB), [0.1701, 0.1457, 0.5904]))),
    ("color(srgb 0.2 40% 0.8)", lambda: mapped_linear([decode(0.2), decode(0.4), decode(0.8)])),
]


def report_colour(rgb):
    print(f"#{hexs(rgb)}")
    for name, text in formats(rgb).items():
        print(f"  {name:12} {text}")
    print("  scale       ", " ".join(scale(rgb)))
    for name, colours in harmonies(rgb):
        print(f"  {name:20}", " ".join(colours))
    print("  simulations  " + " ".join(f"{k} {hexs(simulate(rgb, k))}" for k in "PDTA"))
    for other in ((255, 255, 255), (0x77, 0x77, 0x77)):
        print(f"  vs #{hexs(other)} {ratio_floor(ratio(rgb, other))} AA {fix(rgb, other, 4.5)} AAA {fix(rgb, other, 7)}")


def main():
    if len(sys.argv) > 1:
        for arg in sys.argv[1:]:
            v = int(arg.lstrip("#"), 16)
            report_colour((v >> 16, v >> 8 & 255, v & 255))
        return
    for rgb in [(0x33, 0x66, 0xCC), (255, 0, 0), (0, 0, 255), (128, 128, 128), (255, 255, 255), (0, 0, 0),
                (0x12, 0x34, 0x56), (255, 128, 0)]:
        report_colour(rgb)
    print("Machado on the cube corners (P D T A)")
    for corner in range(8):
        rgb = (255 * (corner >> 2 & 1), 255 * (corner >> 1 & 1), 255 * (corner & 1))
        print(f"  {hexs(rgb)}", " ".join(hexs(simulate(rgb, k)) for k in "PDTA"))
    print("Contrast fixes (current, comparison, ratio: result)")
    for cur, cmp_, minimum in [(0x3366CC, 0xFFFFFF, 4.5), (0x3366CC, 0xFFFFFF, 7), (0x3366CC, 0x777777, 4.5),
                               (0x3366CC, 0x777777, 7), (0xFF0000, 0xFFFFFF, 4.5), (0xFF0000, 0x000000, 7),
                               (0x808080, 0x808080, 4.5), (0xFFFF00, 0xFFFFFF, 4.5), (0x777777, 0xFFFFFF, 4.5)]:
        a = (cur >> 16, cur >> 8 & 255, cur & 255)
        b = (cmp_ >> 16, cmp_ >> 8 & 255, cmp_ & 255)
        print(f"  {cur:06X} {cmp_:06X} {minimum}: {fix(a, b, minimum)}")
    print("Hard to tell apart")
    for x, y in [(0xFF0000, 0x008000), (0xFF0000, 0x00FF00), (0x0000FF, 0x00FF00), (0x3366CC, 0x3366CD),
                 (0x00A000, 0xA0A000), (0x0000FF, 0x8000FF)]:
        a = (x >> 16, x >> 8 & 255, x & 255)
        b = (y >> 16, y >> 8 & 255, y & 255)
        print(f"  {x:06X} {y:06X}: {hard_to_tell(a, b) or '-'}")
    print("Ratios rounded down")
    for x, y in [(0x777777, 0xFFFFFF), (0x767676, 0xFFFFFF), (0x595959, 0xFFFFFF), (0x123456, 0xFFFFFF),
                 (0xFF0000, 0xFFFFFF), (0x0000FF, 0xFFFFFF), (0xFF8000, 0x000000), (0x949494, 0xFFFFFF),
                 (0x008000, 0xFFFFFF)]:
        a = (x >> 16, x >> 8 & 255, x & 255)
        b = (y >> 16, y >> 8 & 255, y & 255)
        print(f"  {x:06X} {y:06X}: {ratio_floor(ratio(a, b))} ({ratio(a, b):.6f})")
    print("Parse forms (text: colour, outside sRGB)")
    for text, compute in PARSE_FORMS:
        colour, outside = compute()
        print(f"  {text:42} {colour} {outside}")


if __name__ == "__main__":
    main()
