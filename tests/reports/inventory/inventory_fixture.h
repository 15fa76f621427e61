// A demo chain for the inventory reports' figures: the generated data folder, the reports
// played through their entry points, and what they print read back row by row, so each
// figure can be set beside an independent query on the same files.
#pragma once

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "host/razir/demo/generator.h"
#include "platform/2_db/query.h"
#include "tests/reports/report_fixture.h"

class InventoryDemo : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        razir::demo::Options o;
        o.stores = 2;
        o.registers = 1;
        o.products = 120;
        o.days = 8;  // a Monday and a Tuesday: purchases and both kinds of return
        razir::demo::Generate(o, dir_ / "datos");
        config_.TiendaActual = razir::demo::StoreCode(0);
        config_.DecCantidad = 3;
    }

    // The rows of a query on the data folder: first column as key, the others as numbers.
    std::map<std::string, std::vector<double>> Rows(const std::string& sql) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add(sql);
        q.Open();
        std::map<std::string, std::vector<double>> out;
        for (q.First(); !q.Eof(); q.Next()) {
            std::vector<double> v;
            for (int i = 1; i < q.FieldCount(); ++i) v.push_back(q.Fields(i).AsFloat());
            out[q.Fields(0).AsString()] = v;
        }
        return out;
    }
    std::string First(const std::string& sql) {
        db::TQuery q;
        q.DatabaseName = (dir_ / "datos").string();
        q.SQL.Add(sql);
        q.Open();
        return q.Eof() ? std::string() : q.Fields(0).AsString();
    }

    // The printed rows whose last `n` words are numbers ("$" signs, blanks to write on and
    // thousands separators dropped), keyed by their first word, in the order printed.
    static std::vector<std::pair<std::string, std::vector<double>>> Printed(const std::string& text, size_t n) {
        std::vector<std::pair<std::string, std::vector<double>>> out;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            line = std::regex_replace(line, std::regex("(-?)\\$ ?"), "$1");  // "-$ 10.00" is -10.00
            std::istringstream words(line);
            std::vector<std::string> w;
            for (std::string s; words >> s;)
                if (s != "$" && s.find_first_not_of('_') != std::string::npos) w.push_back(s);
            if (w.size() < n + 1) continue;
            std::vector<double> nums;
            for (size_t i = w.size() - n; i < w.size(); ++i) {
                std::string s = w[i];
                if (!s.empty() && s[0] == '$') s.erase(0, 1);
                std::erase(s, ',');
                char* end = nullptr;
                const double d = std::strtod(s.c_str(), &end);
                if (s.empty() || *end) break;
                nums.push_back(d);
            }
            if (nums.size() == n) out.emplace_back(w[0], nums);
        }
        return out;
    }
};
