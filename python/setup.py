# What pip compiles into the module quorvel (pyproject.toml): the module's
# sources and the conversion library's, with the flags that the CMake build
# gives them where they decide results (cmake/CompilerFlags.cmake,
# conversion/CMakeLists.txt), so that both builds give the same bits.
import platform
import re
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
# The one source of the version is project() in the top CMakeLists.txt.
VERSION = re.search(r"project\(Quorvel VERSION (\S+)", (ROOT / "CMakeLists.txt").read_text()).group(1)

# The processor variants of sine, cosine and arc tangent, chosen at run time
# as in conversion/CMakeLists.txt: the vector lanes with SSE2 on every x86,
# and on x86-64 the single functions with FMA and the lanes with AVX2 and
# FMA, each file with its own flags.
VARIANT_FILES = ("many_sse2.cpp", "many_avx2.cpp", "single_fma.cpp")
LANES = {"x86_64": {"many_sse2.cpp": [], "many_avx2.cpp": ["-mavx2", "-mfma"], "single_fma.cpp": ["-mfma"]},
         "i686": {"many_sse2.cpp": []}}.get(platform.machine().replace("i386", "i686"), {})


class BuildWithLanes(build_ext):
    """Writes version.hpp as CMake configures it, and compiles each lane file
    with its own flags before the rest."""

    def build_extension(self, ext):
        generated = Path(self.build_temp) / "generated"
        generated.mkdir(parents=True, exist_ok=True)
        template = (ROOT / "cmake" / "version.hpp.in").read_text()
        (generated / "version.hpp").write_text(template.replace("@PROJECT_VERSION@", VERSION))
        ext.include_dirs.append(str(generated))
        ext.extra_objects = [
            obj
            for name, flags in LANES.items()
            for obj in self.compiler.compile([str(ROOT / "conversion" / "crmath" / name)], output_dir=self.build_temp,
                                             include_dirs=ext.include_dirs,
                                             extra_postargs=ext.extra_compile_args + flags)
        ]
        super().build_extension(ext)


library = sorted(str(p) for folder in ("conversion", "conversion/detail", "conversion/crmath")
                 for p in (ROOT / folder).glob("*.cpp") if p.name not in VARIANT_FILES)
variants = {"many_sse2.cpp": "QV_CR_HAVE_SSE2", "many_avx2.cpp": "QV_CR_HAVE_AVX2", "single_fma.cpp": "QV_CR_HAVE_FMA"}
module = Pybind11Extension(
    "quorvel",
    sorted(str(p) for p in HERE.glob("*.cpp")) + library,
    include_dirs=[str(ROOT)],
    # setuptools rebuilds only where one of these is newer than the module
    # it built before: the headers too, or pip would keep a stale build.
    depends=sorted(str(p) for p in [*ROOT.glob("conversion/**/*.hpp"), *HERE.glob("*.hpp"),
                                    *((ROOT / "conversion" / "crmath" / name) for name in VARIANT_FILES), ROOT / "cmake" / "version.hpp.in",
                                    ROOT / "CMakeLists.txt", Path(__file__).resolve()]),
    define_macros=[(variants[name], "1") for name in LANES],
    cxx_std=20,
    # No contraction into fused multiply-add: the results must not depend on
    # the compiler or the machine.
    extra_compile_args=["-O3", "-ffp-contract=off", "-fno-math-errno"],
)

ParallelCompile("QV_BUILD_JOBS").install()
setup(version=VERSION, ext_modules=[module], cmdclass={"build_ext": BuildWithLanes}, packages=[], py_modules=[])
