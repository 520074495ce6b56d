# Front door of the build. `make gallery` and `make test` are all a new machine needs.
JOBS     ?= $(shell nproc)
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)
CMAKE_GEN := $(if $(shell command -v ninja),-G Ninja,)
CONFIGURE = cmake -S . $(CMAKE_GEN) $(LAUNCHER)
# The tests compile against a precompiled header, which ccache caches only when told these are safe.
export CCACHE_SLOPPINESS = pch_defines,time_macros,include_file_mtime,include_file_ctime

.PHONY: all deps build gallery docs test snapshots test-asan bench fuzz clean

all: build

deps:
	@bash scripts/deps.sh

# The library, the gallery, the examples and the tests; the benchmarks only in `make bench`.
build: deps
	@$(CONFIGURE) -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOX_BUILD_BENCH=OFF >/dev/null
	@cmake --build build -j $(JOBS)

# Only the gallery and what it links: no tests, no benchmarks.
gallery: deps
	@$(CONFIGURE) -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS) --target joxwidgets-gallery
	@./build/joxwidgets-gallery --out gallery-out

# Rewrites the generated parts of docs/ (property and event tables, pictures, the index); keeps the prose.
docs: deps
	@$(CONFIGURE) -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS) --target docs

test: build
	@ctest --test-dir build --output-on-failure -j $(JOBS)

# Rewrites the reference pictures in tests/snapshots/ that differ from what is drawn now (or are
# missing). Look at the new pictures before committing them.
snapshots: deps
	@$(CONFIGURE) -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS) --target test_snapshots
	@rm -rf build/snapshots-new
	@cd build && ./test_snapshots >/dev/null || true
	@mkdir -p tests/snapshots
	@for f in build/snapshots-new/*.png; do case $$f in *_err.png|*'*'*) ;; *) cp $$f tests/snapshots/ && echo "rewrote tests/snapshots/$$(basename $$f)";; esac; done

test-asan: deps
	@$(CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DJOX_SANITIZE=ON -DJOX_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS)

bench: deps
	@$(CONFIGURE) -B build-bench -DCMAKE_BUILD_TYPE=Release -DJOX_BUILD_TESTS=OFF -DJOX_BUILD_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2 || exit 1; done

# Each fuzzer runs FUZZ_RUNS executions (default one million) under the sanitizers, with the
# dictionary fuzz/<name>.dict when there is one and the flags of fuzz/<name>.options (lines not
# starting with #); an empty corpus is seeded by the fuzzer itself.
FUZZ_RUNS ?= 1000000
fuzz: deps
	@CXX=clang++ $(CONFIGURE) -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOX_SANITIZE=ON \
	  -DJOX_BUILD_FUZZ=ON -DJOX_BUILD_TESTS=OFF -DJOX_BUILD_BENCH=OFF -DJOX_BUILD_GALLERY=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@mkdir -p fuzz-out
	@for f in build-fuzz/fuzz_*; do n=$$(basename $$f); d=fuzz/$${n#fuzz_}.dict; mkdir -p fuzz-out/$$n; \
	  echo "== $$n"; LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp $$f -runs=$(FUZZ_RUNS) -max_len=4096 $$([ -f $$d ] && echo -dict=$$d) \
	  $$([ -f fuzz/$${n#fuzz_}.options ] && grep -v '^#' fuzz/$${n#fuzz_}.options) fuzz-out/$$n || exit 1; done

clean:
	rm -rf build build-asan build-bench build-fuzz gallery-out fuzz-out
