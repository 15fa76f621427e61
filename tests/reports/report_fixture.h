// A small installation for report tests: a data folder with the tables a test fills, the
// shipped layouts under Reportes/, a configuration, and previews captured as text.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/velmor/config.h"
#include "platform/2_db/batch.h"
#include "platform/2_db/session.h"
#include "platform/4_adapters/report/preview.h"
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/script.h"

namespace fs = std::filesystem;

// Keeps the text of every preview shown.
class CaptureSink : public report::PreviewSink {
public:
    explicit CaptureSink(std::string folder) : folder_(std::move(folder)) {}
    report::PreviewTarget Target(const std::string& name) override {
        return {folder_ + "/" + name + ".pdf", "", true};
    }
    void Show(report::PreviewForm& form) override { texts.push_back(form.Document().text); }
    std::vector<std::string> texts;

private:
    std::string folder_;
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("razir-rep-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "datos");
        fs::create_directories(dir_ / "Reportes");
        for (const auto& e : fs::directory_iterator(fs::path(RAZIR_SOURCE_DIR) / "layouts"))
            fs::copy_file(e.path(), dir_ / "Reportes" / e.path().filename());
        db::RegisterAlias("RazirWin10", (dir_ / "datos").string());
        vcl::Application->SetExeName((dir_ / "razir").string());
        config_.NomEmpresa = "Comercial de Prueba";
        velmor::RazirWinConfig = &config_;
        sink_ = std::make_shared<CaptureSink>(dir_.string());
        report::SetPreviewSink(sink_);
    }
    void TearDown() override {
        report::CloseAllPreviews();
        velmor::RazirWinConfig = nullptr;
        db::UnregisterAlias("RazirWin10");
        fs::remove_all(dir_);
    }

    void Fill(const db::TableDef& def, const std::vector<db::BatchWriter::Row>& rows) {
        db::BatchWriter w((dir_ / "datos" / (def.name + ".DB")).string(), def);
        for (const auto& r : rows) w.Append(r);
        w.Commit();
    }

    // Plays `script` on the dialog an entry point shows; returns what the user saw.
    std::unique_ptr<vcl::ScriptDriver> Play(void (*entry)(const char*, const char*, bool),
                                            const std::string& script, const char* p1 = "",
                                            const char* p2 = "") {
        auto driver = std::make_unique<vcl::ScriptDriver>(vcl::ParseScript(script));
        vcl::DriverScope scope(*driver);
        entry(p1, p2, false);
        return driver;
    }

    const std::vector<std::string>& Previews() const { return sink_->texts; }

    fs::path dir_;
    velmor::TRazirConfig config_;
    std::shared_ptr<CaptureSink> sink_;
};
