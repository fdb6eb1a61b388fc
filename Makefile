# Entry points: `make run` starts the program, `make test` runs every test.
JOBS ?= 2
DEBUG := build/debug
RELEASE := build/release
FUZZ := build/fuzz
FUZZ_SECONDS ?= 600

.PHONY: deps run test soak bench fuzz package clean

deps:
	@bash scripts/install-deps.sh

run: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DHIDRELA_SANITIZE=OFF -DHIDRELA_WERROR=OFF
	cmake --build $(RELEASE) -j $(JOBS) --target hidrela Zevode
	$(RELEASE)/hidrela

test: deps
	cmake -S . -B $(DEBUG) -DCMAKE_BUILD_TYPE=Debug -DHIDRELA_SANITIZE=ON -DHIDRELA_WERROR=ON
	cmake --build $(DEBUG) -j $(JOBS)
	ctest --test-dir $(DEBUG) --output-on-failure -j $(JOBS)

# The random session at length, with the sanitizers: SOAK_ACTIONS actions
# from a seed drawn afresh and printed (`make test` always walks the same
# one); SOAK_SEED to replay a run.
SOAK_ACTIONS ?= 20000
SOAK_SEED ?= $(shell od -An -N8 -tu8 /dev/urandom | tr -d ' ')
soak: deps
	cmake -S . -B $(DEBUG) -DCMAKE_BUILD_TYPE=Debug -DHIDRELA_SANITIZE=ON -DHIDRELA_WERROR=ON
	cmake --build $(DEBUG) -j $(JOBS) --target tst_sesion
	QTEST_FUNCTION_TIMEOUT=14400000 HIDRELA_ACCIONES=$(SOAK_ACTIONS) HIDRELA_SEMILLA=$(SOAK_SEED) \
	  ctest --test-dir $(DEBUG) -R '^tst_sesion$$' --timeout 14400 --output-on-failure -V

bench: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DHIDRELA_SANITIZE=OFF -DHIDRELA_WERROR=OFF -DHIDRELA_BENCH=ON
	cmake --build $(RELEASE) -j $(JOBS)
	$(RELEASE)/bench/hidrela_bench
	$(RELEASE)/bench/hidrela_bench_informe
	bash bench/paralelo.sh $(RELEASE)/src/calc/hidrela-calc $(RELEASE)/bench

# Every fuzz target for FUZZ_SECONDS, two at a time.
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHIDRELA_FUZZ=ON -DHIDRELA_WERROR=OFF
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_numero fuzz_calc fuzz_anual fuzz_catalogo fuzz_lluvia fuzz_documento
	bash scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS) $(JOBS)

# The Debian package, hidrela_<version>_<arch>.deb here, built with Debian's
# hardening flags and checked by lintian. Its own build tree: the flags differ
# from the release build's, and cpack installs without building the tests.
PACKAGE := build/package
package: deps
	@bash scripts/install-deps.sh package
	cmake -S . -B $(PACKAGE) -DCMAKE_BUILD_TYPE=Release -DHIDRELA_SANITIZE=OFF -DHIDRELA_WERROR=OFF \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE) -j $(JOBS) --target hidrela Zevode hidrela-calc manuales
	rm -f $(PACKAGE)/hidrela_*.deb
	cd $(PACKAGE) && cpack -G DEB
	cp $(PACKAGE)/hidrela_*.deb .
	lintian --fail-on error $(PACKAGE)/hidrela_*.deb

clean:
	rm -rf build
